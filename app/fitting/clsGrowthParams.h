#ifndef CLSGROWTHPARAMS_H
#define CLSGROWTHPARAMS_H
// One set of growth-curve parameters with the choice of curve and of the two parameters
// a grid search varies (P1 on the x axis, P2 on the y axis) and the two it holds fixed.
// No validation: every setter stores what it is given.
#include <cstdint>
#include <string>

namespace MVornGlobs {
struct GridTypeParams;
}

// The loosely typed value the fixed parameters are read and written as: a fixed
// parameter that does not exist reads as Empty or as the integer 0, and the grid
// options dialog writes the text of its box.
struct ParamVariant {
    enum class Kind { Empty, Integer, Single, Text };
    Kind kind = Kind::Empty;
    int16_t integer = 0;
    float single = 0.0f;
    std::string text;

    static ParamVariant MakeEmpty() { return {}; }
    static ParamVariant MakeInteger(int16_t v) { ParamVariant p; p.kind = Kind::Integer; p.integer = v; return p; }
    static ParamVariant MakeSingle(float v) { ParamVariant p; p.kind = Kind::Single; p.single = v; return p; }
    static ParamVariant MakeText(std::string v) { ParamVariant p; p.kind = Kind::Text; p.text = std::move(v); return p; }

    bool IsEmpty() const { return kind == Kind::Empty; }
    // Conversion to single: Empty is 0; a text is read as a number (13 type mismatch
    // when it is none, 6 overflow when out of range).
    float ToSingle() const;
};

class clsGrowthParams {
public:
    int32_t GridType() const { return mGridType; }
    void setGridType(int32_t v) { mGridType = v; }
    int32_t GrowthCurve() const { return mGrowthCurve; }
    void setGrowthCurve(int32_t v) { mGrowthCurve = v; }
    float T0() const { return mT0; }
    void setT0(float v) { mT0 = v; }
    float c() const { return mC; }
    void setc(float v) { mC = v; }
    float NGT() const { return mNGT; }
    void setNGT(float v) { mNGT = v; }
    float Ts() const { return mTs; }
    void setTs(float v) { mTs = v; }
    float Linf() const { return mLinf; }
    void setLinf(float v) { mLinf = v; }
    float k() const { return mK; }
    void setk(float v) { mK = v; }

    // The gridded parameters of the current grid type; 0 (and no write) outside 0..4.
    float P1() const;
    void setP1(float v);
    float P2() const;
    void setP2(float v);

    // The fixed parameters of the current grid type and curve (MVornGlobs::GridParamsFor):
    // a single, the integer 0 or Empty where the grid has none.
    ParamVariant Fixed1() const;
    void setFixed1(const ParamVariant& v);
    void setFixed1(float v) { setFixed1(ParamVariant::MakeSingle(v)); }
    ParamVariant Fixed2() const;
    void setFixed2(const ParamVariant& v);
    void setFixed2(float v) { setFixed2(ParamVariant::MakeSingle(v)); }

    // Copies c, k, Linf, NGT, T0, Ts, GridType and GrowthCurve from Source.
    void CopyData(const clsGrowthParams& Source);

private:
    // The field of growth parameter `param` (a ParamNames index); none for another index.
    float* Field(int32_t param);
    MVornGlobs::GridTypeParams Row() const;
    float* P1Field();
    float* P2Field();
    float* Fixed1Field();
    float* Fixed2Field();

    float mLinf = 75.0f;
    float mK = 0.1f;
    float mTs = 0.6f;
    float mC = 0.2f;
    float mNGT = 0.3f;
    float mT0 = 0.0f;
    int32_t mGridType = 0;
    int32_t mGrowthCurve = 0;
};

#endif
