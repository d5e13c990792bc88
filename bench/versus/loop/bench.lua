local s = 0
for i = 0, 10000000 - 1 do
  s = s + i * 2 - 1
  if s > 1000000 then s = s - 1000000 end
end
print(s)
