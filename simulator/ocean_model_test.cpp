#include "simulator/ocean_model.h"

#include <gtest/gtest.h>

namespace quorvane::sim {
namespace {

TEST(OceanModel, MackenzieMatchesThePublishedCheckValue) {
    // Mackenzie (1981) gives 1550.744 m/s for 25 °C, 35 PSU, 1000 m.
    EXPECT_NEAR(MackenzieSoundVelocity(25.0, 35.0, 1000.0), 1550.744, 0.0005);
}

TEST(OceanModel, ColumnHasMixedLayerThermoclineAndSlowDeepCooling) {
    const OceanModel ocean;
    struct Layer {
        const char* name;
        double from, to;
        double minDrop, maxDrop;  // °C lost from top to bottom of the layer
        double maxGradient;       // °C/m, largest cooling over one metre
    } layers[] = {
        {"mixed layer", 0.0, ocean.mixedLayerDepth, 0.0, 0.0, 0.0},
        {"thermocline", ocean.mixedLayerDepth, ocean.thermoclineBottom, 8.0, 16.0, 0.5},
        {"deep water", ocean.thermoclineBottom, 500.0, 1.0, 8.0, 0.03},
    };
    for (const Layer& layer : layers) {
        const double drop = ocean.temperatureAt(layer.from) - ocean.temperatureAt(layer.to);
        EXPECT_GE(drop, layer.minDrop) << layer.name;
        EXPECT_LE(drop, layer.maxDrop) << layer.name;
        for (double z = layer.from; z + 1.0 <= layer.to; z += 1.0) {
            const double cooling = ocean.temperatureAt(z) - ocean.temperatureAt(z + 1.0);
            EXPECT_GE(cooling, 0.0) << layer.name << " at " << z;
            EXPECT_LE(cooling, layer.maxGradient + 1e-12) << layer.name << " at " << z;
        }
    }
    for (double z = 0.0; z <= 500.0; z += 0.5) {
        EXPECT_GE(ocean.salinityAt(z), 34.5) << z;
        EXPECT_LE(ocean.salinityAt(z), 35.5) << z;
        EXPECT_GE(ocean.soundVelocityAt(z), 1450.0) << z;
        EXPECT_LE(ocean.soundVelocityAt(z), 1560.0) << z;
    }
}

}  // namespace
}  // namespace quorvane::sim
