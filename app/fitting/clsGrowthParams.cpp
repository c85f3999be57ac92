#include "clsGrowthParams.h"

#include "vb/VbRuntime.h"

// Grid types (P1, P2 | Fixed1, Fixed2):
//   0  K, Linf | C (Hoenig) or NGT (Pauly), Ts; none for the non-seasonal curve
//   1  K, NGT  | Ts, Linf
//   2  C, Ts   | K, Linf
//   3  K, C    | Ts, Linf
//   4  NGT, Ts | K, Linf

float ParamVariant::ToSingle() const
{
    switch (kind) {
    case Kind::Empty: return 0.0f;
    case Kind::Integer: return static_cast<float>(integer);
    case Kind::Single: return single;
    case Kind::Text: return vb::CSng(text);
    }
    return 0.0f;
}

float* clsGrowthParams::P1Field()
{
    switch (mGridType) {
    case 0: case 1: case 3: return &mK;
    case 2: return &mC;
    case 4: return &mNGT;
    default: return nullptr;
    }
}

float* clsGrowthParams::P2Field()
{
    switch (mGridType) {
    case 0: return &mLinf;
    case 1: return &mNGT;
    case 2: case 4: return &mTs;
    case 3: return &mC;
    default: return nullptr;
    }
}

float* clsGrowthParams::Fixed1Field()
{
    switch (mGridType) {
    case 0:
        if (mGrowthCurve == 1) return &mC;
        if (mGrowthCurve == 2) return &mNGT;
        return nullptr;
    case 1: case 3: return &mTs;
    case 2: case 4: return &mK;
    default: return nullptr;
    }
}

float* clsGrowthParams::Fixed2Field()
{
    if (mGridType != 0) return &mLinf;
    return mGrowthCurve != 0 ? &mTs : nullptr;
}

float clsGrowthParams::P1() const
{
    const float* f = const_cast<clsGrowthParams*>(this)->P1Field();
    return f ? *f : 0.0f;
}

void clsGrowthParams::setP1(float v)
{
    if (float* f = P1Field()) *f = v;
}

float clsGrowthParams::P2() const
{
    const float* f = const_cast<clsGrowthParams*>(this)->P2Field();
    return f ? *f : 0.0f;
}

void clsGrowthParams::setP2(float v)
{
    if (float* f = P2Field()) *f = v;
}

ParamVariant clsGrowthParams::Fixed1() const
{
    if (const float* f = const_cast<clsGrowthParams*>(this)->Fixed1Field())
        return ParamVariant::MakeSingle(*f);
    if (mGridType == 0 && mGrowthCurve == 0) return ParamVariant::MakeInteger(0);
    return ParamVariant::MakeEmpty();
}

void clsGrowthParams::setFixed1(const ParamVariant& v)
{
    const float value = v.ToSingle();  // converted on arrival, even when nothing is written
    if (float* f = Fixed1Field()) *f = value;
}

ParamVariant clsGrowthParams::Fixed2() const
{
    if (const float* f = const_cast<clsGrowthParams*>(this)->Fixed2Field())
        return ParamVariant::MakeSingle(*f);
    return ParamVariant::MakeInteger(0);
}

void clsGrowthParams::setFixed2(const ParamVariant& v)
{
    const float value = v.ToSingle();
    if (float* f = Fixed2Field()) *f = value;
}

void clsGrowthParams::CopyData(const clsGrowthParams& Source)
{
    setc(Source.c());
    setk(Source.k());
    setLinf(Source.Linf());
    setNGT(Source.NGT());
    setT0(Source.T0());
    setTs(Source.Ts());
    setGridType(Source.GridType());
    setGrowthCurve(Source.GrowthCurve());
}
