#include "core/row_calculation.h"

#include <cmath>

#include "core/messages.h"
#include "core/relations.h"

namespace talveno {

namespace {

enum Input { kPenetration, kSofteningPoint, kLoadingTime, kTemperature, kAsphalt, kVoids };

}  // namespace

LookUpInputs lookUpInputs(double penetrationIndex, double softeningPoint, double loadingTime,
                          double temperature) {
    const double difference = softeningPoint - temperature;
    if (std::isinf(difference)) throw messages::overflow();
    return {penetrationIndex, loadingTime, difference};
}

void RowNumbers::start(const RowInputs& inputs, bool vanDraat) {
    inputs_ = inputs;
    concentration_ = aggregateVolumeConcentration(inputs[kAsphalt], inputs[kVoids], vanDraat);
    penetrationIndex_ = talveno::penetrationIndex(inputs[kPenetration], inputs[kSofteningPoint]);
}

void RowNumbers::finish(StiffnessUnit unit) {
    const LookUpInputs look = lookUpInputs(penetrationIndex_, inputs_[kSofteningPoint],
                                           inputs_[kLoadingTime], inputs_[kTemperature]);
    double sbit =
        nomograph::read(look.penetrationIndex, look.loadingTime, look.temperatureDifference)
            .stiffnessMpa;
    double smix = talveno::mixtureStiffness(sbit, concentration_);
    if (unit == StiffnessUnit::KgfPerCm2) {
        sbit = toKgfPerCm2(sbit);
        smix = toKgfPerCm2(smix);
    }
    bitumenStiffness_ = sbit;
    mixtureStiffness_ = smix;
}

}  // namespace talveno
