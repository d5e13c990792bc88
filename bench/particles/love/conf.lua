-- The window of the particle benchmark's reference: the same size as the
-- room, no vertical sync so frames are not held back.
function love.conf(t)
    t.window.title = "bench particles"
    t.window.width = 640
    t.window.height = 480
    t.window.vsync = 0
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
end
