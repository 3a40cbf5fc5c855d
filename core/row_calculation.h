#pragma once

#include <array>

#include "core/nomograph.h"
#include "core/stiffness_unit.h"

// The numbers of one row of a calculation run, from its six inputs to Sbit and Smix.
namespace talveno {

struct CalculationSettings {
    StiffnessUnit unit = StiffnessUnit::Mpa;
    bool vanDraat = false;  // the Van Draat correction for mixtures with more than 3 % voids
};

// The inputs of a row: penetration, softening point, loading time, temperature, asphalt volume
// and void percentage.
using RowInputs = std::array<double, 6>;
enum RowInput { kPenetration, kSofteningPoint, kLoadingTime, kTemperature, kAsphalt, kVoids };

// What a row gives the nomograph look-up.
struct LookUpInputs {
    double penetrationIndex;
    double loadingTime;
    double temperatureDifference;  // softening point minus temperature, °C
};

// The look-up's inputs for a penetration index and a row's softening point, loading time and
// temperature: a temperature difference beyond the double range is an overflow, not a point off
// the nomograph's scale.
LookUpInputs lookUpInputs(double penetrationIndex, double softeningPoint, double loadingTime,
                          double temperature);

// Sbit off the nomograph, then Smix, both converted to the unit, for a row's penetration index and
// Cv at a loading time and temperature; the look-up's reading with them. Throws the first fault.
struct RowStiffness {
    nomograph::Reading reading;
    double bitumen;
    double mixture;
};
RowStiffness rowStiffness(double penetrationIndex, double concentration, double softeningPoint,
                          double loadingTime, double temperature, StiffnessUnit unit);

// One row in the run's two steps, so that its first results can be written before the look-up.
// Each step throws the first fault it meets.
class RowNumbers {
  public:
    // Cv, with the Van Draat correction when chosen, then PI.
    void start(const RowInputs& inputs, bool vanDraat);
    // Sbit off the nomograph, then Smix, both converted to the unit.
    void finish(StiffnessUnit unit);

    const RowInputs& inputs() const { return inputs_; }
    double penetrationIndex() const { return penetrationIndex_; }
    double concentration() const { return concentration_; }  // a fraction, rounded to 0.001
    double bitumenStiffness() const { return bitumenStiffness_; }
    double mixtureStiffness() const { return mixtureStiffness_; }

  private:
    RowInputs inputs_{};
    double penetrationIndex_ = 0;
    double concentration_ = 0;
    double bitumenStiffness_ = 0;
    double mixtureStiffness_ = 0;
};

}  // namespace talveno
