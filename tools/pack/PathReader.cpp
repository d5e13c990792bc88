// [[path]] entries: way points as [x, y] or [x, y, speed] lists.
#include "data/Path.h"
#include "tools/pack/ReaderContext.h"

void ReadPaths(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Paths, entries, [&](CManifestTable& table, const std::string&, int) {
        auto path = std::make_unique<CPath>();
        const char* form = "a list of points, each [x, y] or [x, y, speed]";
        if (const toml::node* node = table.GetNode("points")) {
            const toml::array* points = node->as_array();
            if (!points)
                table.Fail("points", std::string("expected ") + form);
            for (const toml::node& item : *points) {
                const toml::array* point = item.as_array();
                if (!point || point->size() < 2 || point->size() > 3)
                    table.Fail("points", std::string("expected ") + form);
                double values[3] = {0, 0, 100};
                for (size_t k = 0; k < point->size(); ++k) {
                    std::optional<double> value = point->get(k)->value<double>();
                    if (!value)
                        table.Fail("points", std::string("expected ") + form);
                    values[k] = *value;
                }
                path->i_points.push_back(RWayPoint{values[0], values[1], values[2]});
            }
        }
        path->i_kind = table.GetBool("smooth", false) ? 1 : 0;
        path->i_closed = table.GetBool("closed", true);
        path->i_precision = static_cast<int32_t>(table.GetInteger("precision", 4, 0, 8));
        path->Rebuild();
        table.Finish();
        return path;
    });
}
