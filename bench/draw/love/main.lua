-- The reference workload: COUNT 32x32 sprites moving and bouncing off the
-- window's edges, each drawn every frame, for STEPS frames. Usage:
-- love DIR COUNT STEPS
local count, steps = 1000, 600
local balls = {}
local image
local frame = 0

function love.load(args)
    count = tonumber(args[1]) or count
    steps = tonumber(args[2]) or steps
    image = love.graphics.newImage("ball.png")
    love.math.setRandomSeed(7)
    for i = 1, count do
        balls[i] = {
            x = love.math.random() * (640 - 32), y = love.math.random() * (480 - 32),
            dx = love.math.random() * 8 - 4, dy = love.math.random() * 8 - 4,
        }
    end
end

function love.update()
    for i = 1, count do
        local b = balls[i]
        b.x = b.x + b.dx
        b.y = b.y + b.dy
        if b.x < 0 or b.x > 640 - 32 then b.dx = -b.dx; b.x = b.x + b.dx end
        if b.y < 0 or b.y > 480 - 32 then b.dy = -b.dy; b.y = b.y + b.dy end
    end
    frame = frame + 1
    if frame >= steps then love.event.quit() end
end

function love.draw()
    for i = 1, count do
        local b = balls[i]
        love.graphics.draw(image, b.x, b.y)
    end
end
