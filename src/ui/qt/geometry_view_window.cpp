#include "ui/qt/geometry_view_window.h"

#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <QVBoxLayout>

#include "platform/file_replacement.h"
#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/png_saving.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/slice_canvas.h"

namespace tessarin::ui::qt {

namespace {

constexpr int kDepthSteps = 100;  // slider steps each way

QImage ToQImage(const preview::RgbImage& image) {
  if (image.width <= 0 || image.height <= 0) return {};
  return QImage(image.pixels.data(), image.width, image.height, 3 * image.width, QImage::Format_RGB888).copy();
}

QIcon Swatch(const preview::Rgb& colour, bool striped = false) {
  QPixmap pixmap(16, 16);
  pixmap.fill(QColor(colour[0], colour[1], colour[2]));
  QPainter painter(&pixmap);
  if (striped) {
    painter.setPen(QPen(QColor(preview::kOverlapStripeColour[0], preview::kOverlapStripeColour[1],
                               preview::kOverlapStripeColour[2]), 3));
    for (int k = -16; k < 16; k += 8) painter.drawLine(k, 16, k + 16, 0);
  }
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

std::array<double, 7> ViewFields(const settings::VIEWPARM& set) {
  return {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z, set.viewSize, set.azimuth, set.elevation, set.twist};
}

}  // namespace

GeometryViewWindow::GeometryViewWindow(const Controller& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), controller_(controller) {
  setWindowTitle(captions::kGeometryView);
  BuildLayout();
  worker_ = std::make_unique<SliceRenderWorker>([this](SlicePicture picture) {
    QMetaObject::invokeMethod(
        this, [this, picture = std::move(picture)]() mutable { ShowPicture(std::move(picture)); },
        Qt::QueuedConnection);
  });
  resize(1000, 700);
}

GeometryViewWindow::~GeometryViewWindow() = default;

void GeometryViewWindow::BuildLayout() {
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(captions::kPlaneCaption));
  basis_ = new QComboBox;
  basis_->addItems({"xy", "xz", "yz", captions::kBasisAcrossView});
  basis_->setToolTip(captions::kTipBasis);
  top->addWidget(basis_);
  depth_ = new QSlider(Qt::Horizontal);
  depth_->setRange(-kDepthSteps, kDepthSteps);
  depth_->setToolTip(captions::kTipDepth);
  top->addWidget(depth_, 1);
  auto* reset = new QPushButton(captions::kResetView);
  reset->setToolTip(captions::kTipResetView);
  top->addWidget(reset);
  auto* save = new QPushButton(captions::kSaveImage);
  top->addWidget(save);

  canvas_ = new SliceCanvas;
  notice_ = new QLabel(captions::kNoGeometry, canvas_);
  notice_->setWordWrap(true);
  notice_->setGeometry(10, 10, 400, 60);
  legend_ = new QListWidget;
  legend_->setFixedWidth(240);
  legend_->setSelectionMode(QAbstractItemView::NoSelection);
  auto* middle = new QHBoxLayout;
  middle->addWidget(canvas_, 1);
  middle->addWidget(legend_);
  status_ = new QLabel(" ");
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(status_);

  connect(basis_, &QComboBox::currentIndexChanged, this, [this](int index) {
    state_.SetBasis(static_cast<preview::SliceBasis>(index), controller_.WorkingCopy());
    depth_->blockSignals(true);
    depth_->setValue(0);
    depth_->blockSignals(false);
    RequestPicture();
  });
  connect(depth_, &QSlider::valueChanged, this, [this](int value) {
    state_.SetDepth(0.5 * controller_.WorkingCopy().viewSize * value / kDepthSteps);
    RequestPicture();
  });
  connect(reset, &QPushButton::clicked, this, [this] {
    state_.Reset(controller_.WorkingCopy());
    depth_->setValue(0);
    RequestPicture();
  });
  connect(save, &QPushButton::clicked, this, [this] { ChooseAndSave(); });
  canvas_->zoomed = [this](double factor, QPointF at) {
    state_.ZoomAt(factor, at.x(), at.y(), canvas_->width(), canvas_->height());
    RequestPicture();
  };
  canvas_->dragged = [this](QPointF by) {
    state_.PanBy(by.x(), by.y(), canvas_->width());
    RequestPicture();
  };
  canvas_->pointed = [this](QPointF at) { DescribePoint(at); };
  canvas_->resized = [this] { RequestPicture(); };
}

void GeometryViewWindow::Refresh() {
  const input::GeometryModel& model = controller_.Model();
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  const bool loaded = model.loaded && !model.cells.empty();
  notice_->setVisible(!loaded);
  if (!loaded) {
    scene_.reset();
    sceneDigest_ = 0;
    canvas_->SetImage({});
    legend_->clear();
    return;
  }
  const std::array<double, 7> view = ViewFields(set);
  if (!hasView_ || view != viewFields_) {
    state_.SetBasis(state_.Basis(), set);
    state_.Reset(set);
    viewFields_ = view;
    hasView_ = true;
    depth_->blockSignals(true);
    depth_->setValue(0);
    depth_->blockSignals(false);
  }
  const std::uint64_t digest = SceneDigest(model, set);
  if (scene_ && digest == sceneDigest_) return;
  scene_ = std::make_shared<const GeometryViewScene>(model, set);
  sceneDigest_ = digest;
  ShowLegend();
  RequestPicture();
}

void GeometryViewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  RequestPicture();
}

void GeometryViewWindow::RequestPicture() {
  if (!scene_ || !isVisible()) return;
  worker_->Request(scene_, state_.Frame(canvas_->width(), canvas_->height()));
}

void GeometryViewWindow::ShowPicture(SlicePicture picture) {
  if (picture.number < shownNumber_) return;
  shownNumber_ = picture.number;
  shownFrame_ = picture.frame;
  lastDrawSeconds_ = picture.seconds;
  canvas_->SetImage(ToQImage(picture.image));
}

void GeometryViewWindow::ShowLegend() {
  legend_->clear();
  for (const preview::LegendEntry& entry : scene_->legend)
    legend_->addItem(new QListWidgetItem(Swatch(entry.colour), ToQString(entry.name)));
  legend_->addItem(new QListWidgetItem(Swatch(preview::kOverlapColour, true), captions::kLegendOverlap));
  legend_->addItem(new QListWidgetItem(Swatch(preview::kGapColour), captions::kLegendGap));
  legend_->addItem(new QListWidgetItem(Swatch(preview::kOutsideColour), captions::kLegendOutside));
}

void GeometryViewWindow::DescribePoint(QPointF at) {
  if (!scene_) return;
  const preview::SliceFrame frame = state_.Frame(canvas_->width(), canvas_->height());
  status_->setText(ToQString(PixelDescription(*scene_, frame, at.x() - 0.5, at.y() - 0.5)));
}

QString GeometryViewWindow::StatusText() const { return status_->text(); }

bool GeometryViewWindow::SaveImage(const QString& path) const { return SavePngReplacing(canvas_->Image(), path); }

void GeometryViewWindow::ChooseAndSave() {
  QString path = QFileDialog::getSaveFileName(this, captions::kSaveImageTitle, QString(), captions::kPngFilter);
  if (path.isEmpty()) return;
  if (!path.endsWith(".png", Qt::CaseInsensitive)) path += ".png";
  if (!SaveImage(path)) QMessageBox::warning(this, captions::kGeometryView, captions::kCannotSaveImage);
}

bool GeometryViewWindow::WaitForPicture(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (worker_->LatestRequest() != 0 && shownNumber_ == worker_->LatestRequest()) return true;
    QThread::msleep(2);
  }
  return false;
}

}  // namespace tessarin::ui::qt

namespace tessarin::ui::qt {

void GeometryViewWindow::ShowPoint(const input::Vec3& point) {
  Refresh();
  if (!scene_) return;
  state_.CentreOn(point);
  depth_->blockSignals(true);
  depth_->setValue(0);
  depth_->blockSignals(false);
  RequestPicture();
  status_->setText(ToQString(PointDescription(*scene_, point)));
}

}  // namespace tessarin::ui::qt
