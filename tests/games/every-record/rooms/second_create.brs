room_caption = "Second";
