#pragma once

// Binder and mixture relations of the stiffness computation. Pure functions; each arithmetic
// fault throws the system's floating-point failure of its kind.
namespace talveno {

// kgf/cm² per MPa.
inline constexpr long double kKgfPerCm2PerMpa = 10.1972L;

// Penetration index PI from the penetration at 25 °C (0.1 mm) and the softening point (°C),
// rounded to 0.01, halves to even.
double penetrationIndex(double penetration, double softeningPoint);

// Aggregate volume concentration Cv as a fraction from the asphalt volume and void percentages,
// with the Van Draat correction when asked for and the voids exceed 3 %; rounded to 0.001,
// halves to even.
double aggregateVolumeConcentration(double asphaltVolume, double voids, bool vanDraat);

// Cv as a fraction on the same grid from a percentage as the calculation run writes it, with one
// decimal: the rounded Cv the run had.
double concentrationOfPercentage(double percentage);

// Mixture stiffness Smix in MPa from the bitumen stiffness Sbit in MPa and the rounded Cv
// (Heukelom et al.).
double mixtureStiffness(double bitumenStiffness, double volumeConcentration);

// A stiffness in MPa converted to kgf/cm².
double toKgfPerCm2(double stiffnessMpa);

}  // namespace talveno
