// The charting library on Qt: page windows.
#include "ChartQt.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPrinter>
#include <QTimer>

#include "ChartPainter.h"
#include "OwnedWindows.h"
#include "PrintQt.h"
#include "files/WholeFile.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace chartqt {
using chart::Handle;

namespace {

// The drawing surface of a page window.
class PageCanvas : public QWidget {
public:
    PageCanvas(QtChart& chart, Handle page, QWidget* parent) : QWidget(parent), chart_(chart), page_(page) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 150);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintPage(p, chart_, page_, QRectF(rect()));
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        update();
    }
    void mousePressEvent(QMouseEvent* e) override {
        int32_t event = e->button() == Qt::RightButton ? chart::kRightButtonDown
                        : e->button() == Qt::LeftButton ? chart::kLeftButtonDown
                                                        : 0;
        Handle graph = GraphAt(chart_, page_, e->position(), QSizeF(size()));
        if (event && graph) {
            // The action may close this page and make a new one, so it runs once the press
            // has been handled, not inside it.
            QPoint pos = e->position().toPoint();
            QtChart* chart = &chart_;
            QTimer::singleShot(0, qApp, [chart, graph, event, pos] {
                chart->DeliverMouse(graph, event, pos.x(), pos.y());
            });
        }
        QWidget::mousePressEvent(e);
    }

private:
    QtChart& chart_;
    Handle page_;
};

class PageFrame : public QMainWindow {
public:
    PageFrame(QtChart& chart, const chart::Page& page, QWidget* owner)
        : QMainWindow(owner, Qt::Window), chart_(chart), page_(page.id) {
        setWindowTitle(QString::fromStdString(page.caption));
        setObjectName(QString::fromStdString(page.name));
        setCentralWidget(new PageCanvas(chart, page.id, this));
        QMenu* menu = menuBar()->addMenu(QStringLiteral("&Page"));
        QAction* print = menu->addAction(QStringLiteral("&Print"));
        print->setObjectName(QStringLiteral("Print"));
        QAction* copy = menu->addAction(QStringLiteral("&Copy"));
        copy->setObjectName(QStringLiteral("Copy"));
        QAction* save = menu->addAction(QStringLiteral("&Save as PNG..."));
        save->setObjectName(QStringLiteral("SavePng"));
        connect(print, &QAction::triggered, this, [this] { chart_.PrintPage(page_); });
        connect(copy, &QAction::triggered, this, [this] { chart_.CopyPage(page_); });
        connect(save, &QAction::triggered, this, [this] { SaveAs(); });
        resize(640, 520);
    }
    bool closing = false;  // closed by the program, not the user

protected:
    void closeEvent(QCloseEvent* e) override {
        if (!closing) chart_.UserClosesPage(page_);
        e->accept();
    }

private:
    void SaveAs() {
        forms::FileDialogRequest req;
        req.filter = "PNG image (*.png)|*.png";
        req.fileName = objectName().trimmed().toStdString() + ".png";
        req.defaultExt = "png";
        req.flags = 2;
        std::string path = forms::Forms().ShowSave(req);
        if (path.empty()) return;
        if (!chart_.SavePagePng(page_, path))
            forms::Forms().MsgBox("The picture could not be saved as " + path, forms::vbExclamation);
    }
    QtChart& chart_;
    Handle page_;
};

}  // namespace

QtChart::QtChart() = default;

QtChart::~QtChart() {
    for (auto& [h, w] : pageWindows_)
        if (w) {
            static_cast<PageFrame*>(w.data())->closing = true;
            delete w.data();
        }
    for (auto& [h, w] : windows_)
        if (w && !w->parent()) delete w.data();
}

Handle QtChart::RegisterWindow(QWidget* window) {
    Handle h = NewHandle();
    windows_[h] = window;
    return h;
}

QWidget* QtChart::Window(Handle handle) const {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second.data();
}

void QtChart::SetCanvasFactory(const std::string& formName, std::function<QWidget*()> factory) {
    factories_[formName] = std::move(factory);
}

Handle QtChart::CreateCanvasWindow(const std::string& formName) {
    QWidget* w = nullptr;
    auto it = factories_.find(formName);
    if (it != factories_.end() && it->second) w = it->second();
    if (!w) {
        w = new QWidget(nullptr, Qt::Window);
        w->setObjectName(QString::fromStdString(formName));
        w->setWindowTitle(QString::fromStdString(formName));
    }
    return RegisterWindow(w);
}

QMainWindow* QtChart::PageWindow(Handle page) const {
    auto it = pageWindows_.find(page);
    return it == pageWindows_.end() ? nullptr : it->second.data();
}

QImage QtChart::Render(Handle page, QSize size) const {
    if (!size.isValid() || size.isEmpty()) {
        QMainWindow* w = PageWindow(page);
        size = w && w->centralWidget() ? w->centralWidget()->size() : QSize(640, 480);
    }
    return RenderPage(*this, page, size);
}

bool QtChart::SavePagePng(Handle page, const std::string& path) const {
    if (!this->page(page)) return false;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !Render(page).save(&buffer, "PNG")) return false;
    try {
        files::WriteWholeFile(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    } catch (const VbError&) {
        return false;  // the old file, if any, is as it was
    }
    return true;
}

void QtChart::CopyPage(Handle page) const {
    if (!this->page(page)) return;
    QGuiApplication::clipboard()->setImage(Render(page));
}

void QtChart::PrintPage(Handle page) const {
    if (!this->page(page)) return;
    QPrinter printer(QPrinter::HighResolution);
    printqt::SetUpPrinter(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    if (!p.begin(&printer)) {
        forms::Forms().MsgBox("The page could not be printed", forms::vbExclamation);
        return;
    }
    QRectF area = p.viewport();
    QSize shown = Render(page).size();
    double s = std::min(area.width() / shown.width(), area.height() / shown.height());
    QRectF target(area.topLeft(), QSizeF(shown.width() * s, shown.height() * s));
    PaintPage(p, *this, page, target);
    p.end();
}

void QtChart::OnPageCreated(const chart::Page& page) {
    QWidget* owner = Window(page.owner);
    auto* w = new PageFrame(*this, page, owner);
    // The canvas windows are never shown, so the page stays above the main window instead,
    // which a click would otherwise bring over it (also while it is disabled).
    if (QWidget* main = owned::MainWindow()) owned::SetOwner(*w, main);
    auto geo = lastGeometry_.find(page.name);
    if (geo != lastGeometry_.end()) w->setGeometry(geo->second);
    pageWindows_[page.id] = w;
}

void QtChart::OnPageClosed(Handle page) {
    auto it = pageWindows_.find(page);
    if (it == pageWindows_.end()) return;
    if (auto* w = static_cast<PageFrame*>(it->second.data())) {
        lastGeometry_[w->objectName().toStdString()] = w->geometry();
        w->closing = true;
        w->hide();
        w->deleteLater();  // we may be inside one of its own events
    }
    pageWindows_.erase(it);
}

void QtChart::OnPageUpdated(const chart::Page& page) {
    if (QMainWindow* w = PageWindow(page.id)) {
        if (!w->isVisible()) w->show();
        w->centralWidget()->update();
    }
}

void QtChart::OnPageChanged(Handle page) {
    if (QMainWindow* w = PageWindow(page)) w->centralWidget()->update();
}

QtChart& InstallQtChart() {
    static QtChart* chart = new QtChart;  // lives until the program ends
    chart::SetChart(chart);
    return *chart;
}

}  // namespace chartqt
