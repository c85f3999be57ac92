#include "clsGrowthParams.h"

#include "MVornGlobs.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

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

float* clsGrowthParams::Field(int32_t param)
{
    switch (param) {
    case G::ParamK: return &mK;
    case G::ParamLinf: return &mLinf;
    case G::ParamTzero: return &mT0;
    case G::ParamTs: return &mTs;
    case G::ParamC: return &mC;
    case G::ParamNGT: return &mNGT;
    default: return nullptr;
    }
}

G::GridTypeParams clsGrowthParams::Row() const
{
    return G::GridParamsFor(mGridType, mGrowthCurve);
}

float* clsGrowthParams::P1Field() { return Field(Row().P1); }

float* clsGrowthParams::P2Field() { return Field(Row().P2); }

float* clsGrowthParams::Fixed1Field()
{
    const G::GridTypeParams row = Row();
    // A curve this class does not know has no seasonal parameter to hold.
    if (row.fixedFollowCurve && (mGrowthCurve < 0 || mGrowthCurve >= G::kNumCurves)) return nullptr;
    return Field(row.Fixed1);
}

float* clsGrowthParams::Fixed2Field() { return Field(Row().Fixed2); }

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
    // A grid type that holds nothing here reads as 0; an unknown grid type or curve as Empty.
    const G::GridTypeParams row = Row();
    if (row.P1 != G::kNoParam && row.Fixed1 == G::kNoParam) return ParamVariant::MakeInteger(0);
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
