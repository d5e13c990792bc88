-- The reference workload: a ParticleSystem keeping COUNT live particles of
-- the same picture, streamed from the whole window (COUNT / 50 born each
-- frame, each living 50 frames, at 1 to 3 pixels a frame in any direction,
-- fading from yellow to red and from opaque to clear), updated by 1/60 s
-- and drawn every frame, for STEPS frames. Usage: love DIR COUNT STEPS
local count, steps = 10000, 600
local frame = 0
local ps

function love.load(args)
    count = tonumber(args[1]) or count
    steps = tonumber(args[2]) or steps
    ps = love.graphics.newParticleSystem(love.graphics.newImage("flare.png"), count)
    ps:setParticleLifetime(50 / 60, 50 / 60)
    ps:setEmissionRate(count / 50 * 60)
    ps:setEmissionArea("uniform", 320, 240)
    ps:setSpeed(60, 180)
    ps:setSpread(2 * math.pi)
    ps:setSizes(0.15)
    ps:setColors(1, 200 / 255, 80 / 255, 1, 1, 60 / 255, 20 / 255, 0)
end

function love.update()
    ps:update(1 / 60)
    frame = frame + 1
    if frame >= steps then love.event.quit() end
end

function love.draw()
    love.graphics.draw(ps, 320, 240)
end

-- The standard loop without its 1 ms sleep per frame: the runner's --fast
-- does not sleep either.
function love.run()
    love.load(love.arg.parseGameArguments(arg), arg)
    return function()
        love.event.pump()
        for name, a in love.event.poll() do
            if name == "quit" then return a or 0 end
        end
        love.update()
        love.graphics.origin()
        love.graphics.clear(0, 0, 0)
        love.draw()
        love.graphics.present()
    end
end
