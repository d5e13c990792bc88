local a = {}
for i = 0, 999999 do a[i] = i end
local s = 0
for r = 1, 5 do
  for i = 0, 999999 do s = s + a[i] end
end
print(string.format("%.0f", s))
