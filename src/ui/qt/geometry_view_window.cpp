#include "ui/qt/geometry_view_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "preview/overlap_search.h"
#include "preview/set_world.h"
#include "ui/qt/event_wait.h"
#include "ui/qt/fault_list_panel.h"
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
  planeAt_ = new QLabel;
  planeAt_->setMinimumWidth(130);
  top->addWidget(planeAt_);
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
  legend_->setSelectionMode(QAbstractItemView::NoSelection);
  legend_->setMaximumHeight(180);
  faults_ = new FaultListPanel;
  auto* side = new QVBoxLayout;
  side->addWidget(legend_);
  side->addWidget(faults_, 1);
  auto* sideWidget = new QWidget;
  sideWidget->setLayout(side);
  sideWidget->setFixedWidth(320);
  side->setContentsMargins(0, 0, 0, 0);
  auto* middle = new QHBoxLayout;
  middle->addWidget(canvas_, 1);
  middle->addWidget(sideWidget);
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
    ShowPlaneAndMarker();
    RequestPicture();
  });
  connect(depth_, &QSlider::valueChanged, this, [this](int value) {
    state_.SetDepth(0.5 * controller_.WorkingCopy().viewSize * value / kDepthSteps);
    ShowPlaneAndMarker();
    RequestPicture();
  });
  connect(reset, &QPushButton::clicked, this, [this] {
    state_.Reset(controller_.WorkingCopy());
    depth_->setValue(0);
    ShowPlaneAndMarker();
    RequestPicture();
  });
  faults_->searchWanted = [this] {
    if (!scene_) return;
    faults_->Search(scene_, FaultSearchBox(controller_.WorkingCopy()));
  };
  faults_->chosen = [this](const FaultRow& row) { ShowFault(row); };
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
    faults_->Clear();
    marked_.reset();
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
    ShowPlaneAndMarker();
  }
  const std::uint64_t digest = SceneDigest(model, set);
  if (scene_ && digest == sceneDigest_) return;
  scene_ = std::make_shared<const GeometryViewScene>(model, set);
  sceneDigest_ = digest;
  faults_->Clear();
  marked_.reset();
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
  if (!picture.error.empty()) {
    status_->setText(QString(captions::kSliceFailed).arg(ToQString(picture.error)));
    return;
  }
  canvas_->SetImage(ToQImage(picture.image));
  ShowPlaneAndMarker();
}

void GeometryViewWindow::ShowFault(const FaultRow& row) {
  state_.CentreOn(row.at);
  marked_ = row.at;
  depth_->blockSignals(true);
  depth_->setValue(0);
  depth_->blockSignals(false);
  ShowPlaneAndMarker();
  RequestPicture();
}

QString GeometryViewWindow::PlaneText() const { return planeAt_->text(); }

// The plane's place beside the slider, and the mark on the chosen fault while
// the plane passes through it (within a pixel).
void GeometryViewWindow::ShowPlaneAndMarker() {
  const input::Vec3 centre = state_.PlaneCentre();
  const preview::SliceBasis basis = state_.Basis();
  if (basis == preview::SliceBasis::View) {
    const preview::SliceFrame frame = state_.Frame(1, 1);
    const settings::VIEWPARM& set = controller_.WorkingCopy();
    const double along = input::Dot(centre - preview::ViewCentreOf(set), frame.Normal());
    planeAt_->setText(QString(captions::kPlaneAlongView).arg(along, 0, 'g', 6));
  } else {
    const int axis = basis == preview::SliceBasis::XY ? 2 : basis == preview::SliceBasis::XZ ? 1 : 0;
    planeAt_->setText(
        QString(captions::kPlaneAt).arg(QChar("xyz"[axis])).arg(preview::Component(centre, axis), 0, 'g', 6));
  }
  if (!marked_ || shownNumber_ == 0) {
    canvas_->SetMarker(std::nullopt);
    return;
  }
  const double offPlane = input::Dot(*marked_ - shownFrame_.centre, shownFrame_.Normal());
  if (std::abs(offPlane) > shownFrame_.PixelSize()) {
    canvas_->SetMarker(std::nullopt);
    return;
  }
  double column = 0, row = 0;
  shownFrame_.PixelOf(*marked_, column, row);
  canvas_->SetMarker(QPointF(column + 0.5, row + 0.5));
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

void GeometryViewWindow::ChooseAndSave() { ChooseAndSavePng(this, canvas_->Image(), captions::kGeometryView); }

bool GeometryViewWindow::WaitForPicture(int milliseconds) {
  return ProcessEventsUntil(
      [this] { return worker_->LatestRequest() != 0 && shownNumber_ == worker_->LatestRequest(); }, milliseconds);
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
