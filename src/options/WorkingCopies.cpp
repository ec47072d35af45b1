#include "options/WorkingCopies.h"

namespace {
constexpr int ChangeTimeStep = 10;
constexpr int ChangeTimeTop = 9990;
constexpr int AdvertisingTop = 30;
} // namespace

bool WorkingCopies::Minus()
{
    if (mScheibenanzahl == 0)
        return false;
    --mScheibenanzahl;
    return true;
}

bool WorkingCopies::Plus()
{
    if (mScheibenanzahl >= 255)
        return false;
    ++mScheibenanzahl;
    return true;
}

bool WorkingCopies::cmdMinusAnzSeite()
{
    // 0 per page is allowed here; the page table and the layout guard it.
    if (mScheibenProSeite == 0)
        return false;
    --mScheibenProSeite;
    return true;
}

bool WorkingCopies::cmdPlusAnzSeite()
{
    if (mScheibenProSeite >= mScheibenanzahl)
        return false;
    ++mScheibenProSeite;
    return true;
}

bool WorkingCopies::cmdMinusWechselzeit()
{
    if (mWechselzeit >= ChangeTimeStep)
        mWechselzeit = static_cast<std::int16_t>(mWechselzeit - ChangeTimeStep);
    else
        mWechselzeit = ChangeTimeTop;
    return true;
}

bool WorkingCopies::cmdPlusWechselzeit()
{
    if (mWechselzeit < ChangeTimeTop)
        mWechselzeit = static_cast<std::int16_t>(mWechselzeit + ChangeTimeStep);
    else
        mWechselzeit = 0;
    return true;
}

bool WorkingCopies::cmdAnfangMinus()
{
    if (mAnfScheibe <= 1)
        return false;
    --mAnfScheibe;
    return true;
}

bool WorkingCopies::cmdAnfangPlus()
{
    if (mAnfScheibe >= mScheibenanzahl || mAnfScheibe >= mEndScheibe)
        return false;
    ++mAnfScheibe;
    return true;
}

bool WorkingCopies::cmdEndMinus()
{
    if (mEndScheibe <= 1 || mEndScheibe <= mAnfScheibe)
        return false;
    --mEndScheibe;
    return true;
}

bool WorkingCopies::cmdEndPlus()
{
    if (mEndScheibe >= mScheibenanzahl || mEndScheibe <= 0)
        return false;
    ++mEndScheibe;
    return true;
}

namespace AdvertisingSteppers {

bool minus(std::uint8_t& seconds)
{
    if (seconds == 0)
        return false;
    --seconds;
    return true;
}

bool plus(std::uint8_t& seconds)
{
    if (seconds >= AdvertisingTop)
        return false;
    ++seconds;
    return true;
}

} // namespace AdvertisingSteppers
