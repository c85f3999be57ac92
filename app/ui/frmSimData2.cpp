#include "frmSimData2.h"

#include <QApplication>
#include <algorithm>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "GraphControlWidget.h"
#include "MVornGlobs.h"
#include "StringTable.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kHelpContext = 52;
constexpr const char* kNotNumeric = "Data Field must be Numeric";

std::string Text(int32_t id) { return res::LoadResString(MVornGlobs::LangBase + id); }
QString QText(int32_t id) { return QString::fromStdString(Text(id)); }

}  // namespace

// One text box and the parameter of the working copy behind it.
struct frmSimData2::Field {
    QLineEdit* box;
    QGroupBox* frame;
    std::function<void(clsSimData&, const std::string&)> store;   // converts and sets; raises
    std::function<std::string(const clsSimData&)> text;
};

namespace {

using SingleSetter = void (clsSimData::*)(float);
using SingleGetter = float (clsSimData::*)() const;

// A single-precision parameter.
auto SingleField(SingleSetter set, SingleGetter get) {
    return std::pair{std::function<void(clsSimData&, const std::string&)>(
                         [set](clsSimData& s, const std::string& t) { (s.*set)(vb::CSng(t)); }),
                     std::function<std::string(const clsSimData&)>(
                         [get](const clsSimData& s) { return vb::CStr((s.*get)()); })};
}

// A count (16-bit integer) parameter.
auto CountField(void (clsSimData::*set)(int16_t), int16_t (clsSimData::*get)() const) {
    return std::pair{std::function<void(clsSimData&, const std::string&)>(
                         [set](clsSimData& s, const std::string& t) { (s.*set)(vb::CInt(vb::CDbl(t))); }),
                     std::function<std::string(const clsSimData&)>(
                         [get](const clsSimData& s) { return vb::CStr(static_cast<int32_t>((s.*get)())); })};
}

}  // namespace

frmSimData2::frmSimData2(QWidget* parent) : QDialog(parent), mWork(std::make_unique<clsSimData>()) {
    setModal(true);
    Load();
}

frmSimData2::~frmSimData2() = default;

void frmSimData2::Create(clsSimData& sim) {
    mCaller = &sim;
    mWork->Clone(sim);
    FillFields();
    ShowStep();
}

void frmSimData2::Install() {
    clsSimData::SetWizard([](clsSimData& sim) {
        frmSimData2 wizard;
        wizard.Create(sim);
        wizard.exec();
        return wizard.OK();
    });
}

void frmSimData2::Load() {
    auto* top = new QVBoxLayout(this);
    lblInfo = new QLabel(this);
    lblInfo->setWordWrap(true);
    top->addWidget(lblInfo);
    // One step shown at a time in room for the largest, so the wizard keeps its size.
    mSteps = new QStackedWidget(this);
    top->addWidget(mSteps);
    LoadSamplesStep();
    LoadCurveAndMortalityStep();
    LoadGrowthStep();
    LoadSelectivityStep();
    LoadButtons(top);

    mStepText = {Text(103), Text(104), Text(105), Text(106)};
    mStep = 1;
    FillFields();
    ShowStep();
}

void frmSimData2::AddField(QGroupBox* frame, QGridLayout* grid, int row, int col, QLabel*& label, QLineEdit*& box,
                           const QString& caption, Binding binding) {
    label = new QLabel(caption, frame);
    box = new QLineEdit(frame);
    grid->addWidget(label, row, col);
    grid->addWidget(box, row, col + 1);
    box->installEventFilter(this);
    mFields.push_back({box, frame, std::move(binding.first), std::move(binding.second)});
}

void frmSimData2::LoadSamplesStep() {
    fmeData = new QGroupBox(QText(121), this);
    auto* g = new QGridLayout(fmeData);
    AddField(fmeData, g, 0, 0, lblParam[0], txtParam[0], QText(107), CountField(&clsSimData::setNSamples, &clsSimData::NSamples));
    AddField(fmeData, g, 1, 0, lblParam[1], txtParam[1], QText(108), SingleField(&clsSimData::setMinLen, &clsSimData::MinLen));
    AddField(fmeData, g, 2, 0, lblParam[2], txtParam[2], QText(109), SingleField(&clsSimData::setSampSpace, &clsSimData::SampSpace));
    AddField(fmeData, g, 3, 0, lblParam[3], txtParam[3], QText(110), SingleField(&clsSimData::setLCWidth, &clsSimData::LCWidth));
    AddField(fmeData, g, 4, 0, lblParam[4], txtParam[4], QText(111), CountField(&clsSimData::setNPopSamps, &clsSimData::NPopSamps));
    mSteps->addWidget(fmeData);
}

void frmSimData2::LoadCurveAndMortalityStep() {
    auto* step = new QWidget(this);
    auto* frames = new QVBoxLayout(step);
    frames->setContentsMargins(0, 0, 0, 0);
    fmeGC = new QGroupBox(QText(119), step);
    auto* v = new QVBoxLayout(fmeGC);
    for (int i = 0; i < 3; ++i) {
        optGC[i] = new QRadioButton(QString::fromStdString(MVornGlobs::CurveNames[i]), fmeGC);
        v->addWidget(optGC[i]);
        connect(optGC[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) ChooseCurve(i);
        });
    }
    frames->addWidget(fmeGC);

    fmeMort = new QGroupBox(QText(122), step);
    auto* g = new QGridLayout(fmeMort);
    AddField(fmeMort, g, 0, 0, lblMort[0], txtMort[0], QText(123), SingleField(&clsSimData::setCVRect, &clsSimData::CVRect));
    AddField(fmeMort, g, 1, 0, lblMort[1], txtMort[1], QText(124), SingleField(&clsSimData::setFVal, &clsSimData::FVal));
    AddField(fmeMort, g, 2, 0, lblMort[2], txtMort[2], QText(125), SingleField(&clsSimData::setMVal, &clsSimData::MVal));
    frames->addWidget(fmeMort);
    mSteps->addWidget(step);
}

// Growth parameters (K, Linf, Tzero, Ts, C, NGT) and their variation.
void frmSimData2::LoadGrowthStep() {
    fmeGParams = new QGroupBox(QText(120), this);
    auto* g = new QGridLayout(fmeGParams);
    const std::array<std::pair<SingleSetter, SingleGetter>, 6> means = {{{&clsSimData::setMeanK, &clsSimData::MeanK},
                                                                         {&clsSimData::setLinf, &clsSimData::Linf},
                                                                         {&clsSimData::setT0V, &clsSimData::T0V},
                                                                         {&clsSimData::setMeanTS, &clsSimData::MeanTS},
                                                                         {&clsSimData::setMeanC, &clsSimData::MeanC},
                                                                         {&clsSimData::setMeanNGT, &clsSimData::MeanNGT}}};
    const std::array<std::pair<SingleSetter, SingleGetter>, 7> cvs = {{{&clsSimData::setCVK, &clsSimData::CVK},
                                                                       {&clsSimData::setCVLinf, &clsSimData::CVLinf},
                                                                       {&clsSimData::setCVT01, &clsSimData::CVT01},
                                                                       {&clsSimData::setCVTS, &clsSimData::CVTS},
                                                                       {&clsSimData::setCVC, &clsSimData::CVC},
                                                                       {&clsSimData::setCVNGT, &clsSimData::CVNGT},
                                                                       {&clsSimData::setCVT02, &clsSimData::CVT02}}};
    const QString cv = QText(116);
    for (int i = 0; i < 7; ++i) {
        if (i < 6)
            AddField(fmeGParams, g, i, 0, lblGParam[i], txtGParam[i], QString::fromStdString(MVornGlobs::ParamNames[i]),
                     SingleField(means[i].first, means[i].second));
        QString caption = cv;
        if (i == 2) caption = cv + " (" + QText(117) + ")";
        if (i == 6) caption = cv + " (" + QText(118) + ")";
        AddField(fmeGParams, g, i, 2, lblParamCV[i], txtParamCV[i], caption, SingleField(cvs[i].first, cvs[i].second));
    }
    mSteps->addWidget(fmeGParams);
}

// Selectivity with its preview.
void frmSimData2::LoadSelectivityStep() {
    fmeSel = new QGroupBox(QText(126), this);
    auto* g = new QGridLayout(fmeSel);
    AddField(fmeSel, g, 0, 0, lblSel[0], txtSel[0], QText(127), SingleField(&clsSimData::setSell50, &clsSimData::Sell50));
    AddField(fmeSel, g, 0, 2, lblSelCV[0], txtSelCV[0], QText(116), SingleField(&clsSimData::setCVsel50, &clsSimData::CVsel50));
    AddField(fmeSel, g, 1, 0, lblSel[1], txtSel[1], QText(128), SingleField(&clsSimData::setSELK, &clsSimData::SELK));
    AddField(fmeSel, g, 1, 2, lblSelCV[1], txtSelCV[1], QText(116), SingleField(&clsSimData::setCVSelk, &clsSimData::CVSelk));
    gphSel = new chartqt::GraphControlWidget(fmeSel);
    gphSel->setMinimumSize(320, 200);
    gphSel->setPointCount(100);
    gphSel->setLineMode(chart::LineMode::Polyline);
    gphSel->setXRange(0, 100);
    gphSel->setYRange(0, 1);
    g->addWidget(gphSel, 2, 0, 1, 4);
    mSteps->addWidget(fmeSel);
}

// Help, Cancel, Back, Next and Finish; every handler shows its own errors, none leaves a slot.
void frmSimData2::LoadButtons(QVBoxLayout* top) {
    auto* buttons = new QHBoxLayout;
    cmdHelp = new QPushButton(QText(129), this);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    const std::array<int32_t, 4> ids = {112, 113, 114, 115};
    for (int i = 0; i < 4; ++i) {
        cmdButton[i] = new QPushButton(QText(ids[i]), this);
        cmdButton[i]->setAutoDefault(false);
        buttons->addWidget(cmdButton[i]);
    }
    cmdHelp->setAutoDefault(false);
    top->addLayout(buttons);

    auto guarded = [this](std::function<void()> f) {
        return [this, f] {
            try {
                f();
            } catch (const VbError& e) {
                forms::Forms().MsgBox(e.Description, forms::vbExclamation, MVornGlobs::ErrorText);
            }
        };
    };
    connect(cmdButton[0], &QPushButton::clicked, this, guarded([this] { Cancel(); }));
    connect(cmdButton[1], &QPushButton::clicked, this, guarded([this] { Move(-1); }));
    connect(cmdButton[2], &QPushButton::clicked, this, guarded([this] { Move(+1); }));
    connect(cmdButton[3], &QPushButton::clicked, this, guarded([this] { Finish(); }));
    connect(cmdHelp, &QPushButton::clicked, this, guarded([this] { Help(); }));
}

void frmSimData2::FillFields() {
    for (const auto& f : mFields) f.box->setText(QString::fromStdString(f.text(*mWork)));
    const int32_t gc = mWork->GC();
    if (gc >= 0 && gc <= 2) {
        if (optGC[gc]->isChecked())
            ChooseCurve(gc);
        else
            optGC[gc]->setChecked(true);
    } else {
        // A curve number no option stands for: none is chosen (Finish refuses it).
        for (auto* o : optGC) {
            o->setAutoExclusive(false);
            o->setChecked(false);
            o->setAutoExclusive(true);
        }
        fmeGC->setProperty("Tag", QString::number(gc));
    }
}

void frmSimData2::ChooseCurve(int index) {
    fmeGC->setProperty("Tag", QString::number(index));
    mWork->setGC(index);
}

void frmSimData2::ShowStep() {
    setWindowTitle(QText(101) + QString::number(mStep) + QText(102) + QString::number(4));
    lblInfo->setText(QString::fromStdString(mStepText[mStep - 1]));

    if (mStep == 3) {
        const int32_t curve = fmeGC->property("Tag").toString().toInt();
        for (int i = 0; i < 6; ++i) {
            const bool used = MVornGlobs::ParamInCurve(curve, i);
            lblGParam[i]->setEnabled(used);
            txtGParam[i]->setEnabled(used);
            lblParamCV[i]->setEnabled(used);
            txtParamCV[i]->setEnabled(used);
        }
        lblParamCV[6]->setEnabled(txtParamCV[2]->isEnabled());
        txtParamCV[6]->setEnabled(txtParamCV[2]->isEnabled());
    }
    if (mStep == 4) DrawSelectivity();

    mSteps->setCurrentIndex(mStep - 1);

    cmdButton[0]->setEnabled(true);
    cmdButton[1]->setEnabled(mStep >= 2);
    cmdButton[2]->setEnabled(mStep < 4);
    cmdButton[3]->setEnabled(mStep == 4);
}

void frmSimData2::DrawSelectivity() {
    const float linf = mWork->Linf();
    const float selk = mWork->SELK();
    const float sel50 = mWork->Sell50();
    for (int i = 1; i <= 100; ++i) {
        const float len = linf / 100.0f * static_cast<float>(i);
        const auto s = static_cast<float>(1.0 / (1.0 + std::exp(-selk * static_cast<double>(len - sel50))));
        gphSel->setX(i, len);
        gphSel->setY(i, s);
    }
    gphSel->setXRange(0, gphSel->X(100));
    gphSel->setYRange(0, 1);
    gphSel->Redraw();
}

bool frmSimData2::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        // Entering a field selects its whole text.
        QTimer::singleShot(0, box, [box] { box->setSelection(0, 1000); });
    } else if (box && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a menu is not leaving the field; moving
        // to Cancel or closing a cancelled wizard checks nothing.
        const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (leaving && !mCancelled && !mRefusalPending && QApplication::focusWidget() != cmdButton[0]) {
            try {
                StoreField(box, true);
            } catch (const VbError& e) {
                forms::Forms().MsgBox(e.Description, forms::vbExclamation, MVornGlobs::ErrorText);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmSimData2::StoreField(QLineEdit* box, bool deferMessage) {
    for (const auto& f : mFields) {
        if (f.box != box) continue;
        // The selectivity fields count only while their step is shown.
        if (f.frame == fmeSel && !fmeSel->isVisibleTo(this)) return true;
        try {
            f.store(*mWork, box->text().toStdString());
        } catch (const VbError& e) {
            Refuse(box, e.Number == 13 ? kNotNumeric : e.Description, deferMessage);
            return false;
        }
        if (f.frame == fmeSel) DrawSelectivity();
        return true;
    }
    return true;
}

void frmSimData2::Refuse(QLineEdit* box, const std::string& message, bool deferMessage) {
    // The working copy keeps its previous value; the user stays in the field.
    auto show = [this, box = QPointer<QLineEdit>(box), message] {
        mRefusalPending = false;
        if (mCancelled) return;
        forms::Forms().MsgBox(message, forms::vbExclamation, MVornGlobs::ErrorText);
        if (box) {
            box->setFocus(Qt::OtherFocusReason);
            box->setSelection(0, 1000);
        }
    };
    if (deferMessage) {
        // Shown once the focus change that triggered the check has finished.
        mRefusalPending = true;
        QTimer::singleShot(0, this, show);
    } else {
        show();
    }
}

bool frmSimData2::CheckStep() {
    // Enter, accelerators or a click can leave a field without its check having run.
    for (const auto& f : mFields) {
        if (!f.frame->isVisibleTo(this) || !f.box->isEnabled()) continue;
        if (!StoreField(f.box, false)) return false;
    }
    return true;
}

void frmSimData2::Move(int delta) {
    if (mRefusalPending || !CheckStep()) return;
    mStep = std::clamp(mStep + delta, 1, 4);
    ShowStep();
}

void frmSimData2::Finish() {
    if (mRefusalPending || !CheckStep()) return;
    // Values each field accepts on its own but that the simulation cannot run with.
    if (const std::string problem = mWork->SimulationProblem(); !problem.empty()) {
        forms::Forms().MsgBox(problem, forms::vbExclamation, MVornGlobs::ErrorText);
        return;
    }
    mCaller->Clone(*mWork);
    mOK = true;
    hide();
    done(QDialog::Accepted);
}

void frmSimData2::Cancel() {
    mCancelled = true;
    hide();
    done(QDialog::Rejected);
}

void frmSimData2::reject() {
    // Escape and the close box mean Cancel.
    mCancelled = true;
    QDialog::reject();
}

void frmSimData2::Help() { forms::Forms().ShowHelp(MVornGlobs::HelpFilePath, 1, kHelpContext); }
