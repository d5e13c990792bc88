local g = {}
for i = 0, 999 do
  local row = {}
  g[i] = row
  for j = 0, 999 do row[j] = i + j end
end
local s = 0
for i = 0, 999 do
  local row = g[i]
  for j = 0, 999 do s = s + row[j] end
end
print(string.format("%.0f", s))
