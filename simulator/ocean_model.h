#pragma once

namespace quorvane::sim {

// Sound speed in sea water (m/s) from temperature (°C), salinity (PSU) and depth (m) by the
// nine-term equation of Mackenzie (1981).
double mackenzieSoundVelocity(double temperature, double salinity, double depth);

// A calm mid-latitude water column: a well-mixed warm surface layer, a thermocline below it,
// and deep water that keeps cooling slowly towards a floor temperature.
struct OceanModel {
    double surfaceTemperature = 24.0;          // °C, the whole mixed layer
    double mixedLayerDepth = 20.0;             // m
    double thermoclineBottom = 80.0;           // m
    double thermoclineBaseTemperature = 12.0;  // °C at the thermocline's bottom
    double deepTemperature = 4.0;              // °C, approached far below the thermocline
    double deepCoolingScale = 400.0;           // m, e-folding depth of the deep cooling
    double surfaceSalinity = 34.7;             // PSU, slightly freshened by rain and run-off
    double deepSalinity = 35.0;                // PSU

    double temperatureAt(double depth) const;
    double salinityAt(double depth) const;
    double soundVelocityAt(double depth) const;

  private:
    // 0 in the mixed layer, rising smoothly to 1 at the thermocline's bottom.
    double thermoclineFraction(double depth) const;
};

}  // namespace quorvane::sim
