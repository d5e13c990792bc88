instance_create(argument0, argument1, obj_shot);
return instance_nerest(x, y, obj_player);
