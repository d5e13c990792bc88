speed = 2;
direction = 90;
