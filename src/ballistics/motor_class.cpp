#include "ballistics/motor_class.h"

namespace tarvo {

std::string MotorClassFor(double It) {
    if (!(It > 0)) {
        return kNoClass;
    }
    for (const ClassRow& row : kClassTable) {
        if (row.lower < It && It <= row.upper) {
            return row.letter;
        }
    }
    return kOpenEndedClass;
}

}  // namespace tarvo
