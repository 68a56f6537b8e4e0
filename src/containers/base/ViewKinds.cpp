#include "containers/base/ViewKinds.h"

#include "core/system/ConstStrings.h"

int ViewKind::SectionIndexOf(int kind)
{
    switch (kind) {
    case Day:
        return ConstName::Day;
    case MultiDay:
        return ConstName::MDay;
    case Week:
        return ConstName::Week;
    case Month:
        return ConstName::Month;
    case Year:
        return ConstName::Year;
    case EventList:
        return ConstName::List;
    case Tasks:
        return ConstName::Tasks;
    case Search:
        return ConstName::ListF;
    case WebMonth:
        return ConstName::WebSection;
    default:
        return ConstName::Common;
    }
}
