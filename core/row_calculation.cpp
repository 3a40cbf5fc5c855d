#include "core/row_calculation.h"

#include <cmath>

#include "core/messages.h"
#include "core/relations.h"

namespace talveno {

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

RowStiffness rowStiffness(double penetrationIndex, double concentration, double softeningPoint,
                          double loadingTime, double temperature, StiffnessUnit unit) {
    const LookUpInputs look =
        lookUpInputs(penetrationIndex, softeningPoint, loadingTime, temperature);
    RowStiffness stiffness{
        nomograph::read(look.penetrationIndex, look.loadingTime, look.temperatureDifference), 0, 0};
    stiffness.bitumen = stiffness.reading.stiffnessMpa;
    stiffness.mixture = talveno::mixtureStiffness(stiffness.bitumen, concentration);
    if (unit == StiffnessUnit::KgfPerCm2) {
        stiffness.bitumen = toKgfPerCm2(stiffness.bitumen);
        stiffness.mixture = toKgfPerCm2(stiffness.mixture);
    }
    return stiffness;
}

void RowNumbers::finish(StiffnessUnit unit) {
    const RowStiffness stiffness =
        rowStiffness(penetrationIndex_, concentration_, inputs_[kSofteningPoint],
                     inputs_[kLoadingTime], inputs_[kTemperature], unit);
    bitumenStiffness_ = stiffness.bitumen;
    mixtureStiffness_ = stiffness.mixture;
}

}  // namespace talveno
