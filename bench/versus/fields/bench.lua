local cells = {}
for i = 1, 10000 do cells[i] = { a = 1, b = 2, c = 3, d = 4, e = 0 } end
local function step(self)
  self.a = self.a + self.b
  self.b = self.c - math.fmod(self.a, 7)
  self.c = self.c + self.d * 2
  self.d = self.e + 1
  self.e = math.fmod(self.a + self.d, 1000)
end
for s = 1, 100 do
  for i = 1, 10000 do step(cells[i]) end
end
local s = 0
for i = 1, 10000 do
  local c = cells[i]
  s = s + c.a + c.b + c.c + c.d + c.e
end
print(string.format("%.0f", s))
