#include "platform/Canvas.h"

FillStyle fillStyleFromNumber(int number)
{
    if (number < 0 || number > 7)
        return FillStyle::Transparent;
    return static_cast<FillStyle>(number);
}
