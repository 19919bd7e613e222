// Draws the program's pictures (logo, splash, main-window and help-button pictures) into a folder.
#include <cmath>
#include <cstdio>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

namespace {

const QColor kConcrete(0x8c, 0x92, 0x9b);
const QColor kConcreteDark(0x5c, 0x62, 0x6b);
const QColor kWater(0x2f, 0x7f, 0xc8);
const QColor kWaterLight(0x7c, 0xb8, 0xee);
const QColor kSoil(0x8a, 0x6a, 0x45);
const QColor kGrass(0x5d, 0x9b, 0x47);
const QColor kAsphalt(0x3b, 0x3e, 0x44);

// A round pipe seen end-on: concrete ring, dark barrel, water in its invert.
void draw_pipe_end(QPainter& p, QPointF c, double r, double depth_ratio) {
  p.setPen(Qt::NoPen);
  QRadialGradient ring(c, r);
  ring.setColorAt(0.78, kConcrete.lighter(115));
  ring.setColorAt(1.0, kConcreteDark);
  p.setBrush(ring);
  p.drawEllipse(c, r, r);
  const double ri = r * 0.78;
  QRadialGradient barrel(c - QPointF(ri * 0.25, ri * 0.25), ri);
  barrel.setColorAt(0.0, QColor(0x30, 0x33, 0x38));
  barrel.setColorAt(1.0, QColor(0x12, 0x14, 0x17));
  p.setBrush(barrel);
  p.drawEllipse(c, ri, ri);
  // Water: the circle below the level line.
  const double level = c.y() + ri - 2 * ri * depth_ratio;
  QPainterPath circle;
  circle.addEllipse(c, ri, ri);
  QPainterPath below;
  below.addRect(QRectF(c.x() - ri, level, 2 * ri, c.y() + ri - level));
  QLinearGradient water(0, level, 0, c.y() + ri);
  water.setColorAt(0, kWaterLight);
  water.setColorAt(1, kWater);
  p.setBrush(water);
  p.drawPath(circle.intersected(below));
  p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.0, r / 40)));
  p.drawLine(QPointF(c.x() - std::sqrt(ri * ri - (level - c.y()) * (level - c.y())) + 2, level),
             QPointF(c.x() + std::sqrt(ri * ri - (level - c.y()) * (level - c.y())) - 2, level));
}

void rain(QPainter& p, const QRectF& area, int drops, unsigned seed) {
  p.setPen(QPen(QColor(0x9c, 0xc4, 0xe8, 170), 1.5));
  unsigned s = seed;
  for (int i = 0; i < drops; ++i) {
    s = s * 1103515245u + 12345u;
    const double x = area.left() + (s >> 8) % static_cast<unsigned>(area.width());
    s = s * 1103515245u + 12345u;
    const double y = area.top() + (s >> 8) % static_cast<unsigned>(area.height());
    p.drawLine(QPointF(x, y), QPointF(x - 4, y + 11));
  }
}

QImage logo() {
  QImage img(256, 256, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A rounded tile with the pipe end and a falling drop.
  QLinearGradient bg(0, 0, 0, 256);
  bg.setColorAt(0, QColor(0xe8, 0xf1, 0xfa));
  bg.setColorAt(1, QColor(0xb9, 0xd3, 0xea));
  p.setPen(QPen(QColor(0x3a, 0x5a, 0x7a), 6));
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(6, 6, 244, 244), 36, 36);
  draw_pipe_end(p, QPointF(128, 150), 84, 0.34);
  QPainterPath drop;
  drop.moveTo(128, 16);
  drop.cubicTo(150, 48, 156, 60, 128, 72);
  drop.cubicTo(100, 60, 106, 48, 128, 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kWater);
  p.drawPath(drop);
  return img;
}

// A road embankment in cross-section with a culvert under it, in the rain.
void culvert_scene(QPainter& p, const QRectF& r) {
  const double w = r.width(), h = r.height();
  QLinearGradient sky(0, r.top(), 0, r.bottom());
  sky.setColorAt(0, QColor(0x5b, 0x6f, 0x86));
  sky.setColorAt(1, QColor(0xa9, 0xbc, 0xcf));
  p.fillRect(r, sky);
  rain(p, QRectF(r.left(), r.top(), w, h * 0.55), static_cast<int>(w * h / 900), 7);
  const double ground = r.top() + h * 0.72;
  const double crest = r.top() + h * 0.36;
  // Embankment.
  QPolygonF bank;
  bank << QPointF(r.left() + w * 0.08, ground) << QPointF(r.left() + w * 0.34, crest)
       << QPointF(r.left() + w * 0.66, crest) << QPointF(r.left() + w * 0.92, ground);
  p.setPen(Qt::NoPen);
  p.setBrush(kGrass);
  p.drawPolygon(bank);
  // Pavement with lane marks.
  p.setBrush(kAsphalt);
  p.drawRect(QRectF(r.left() + w * 0.33, crest - h * 0.035, w * 0.34, h * 0.035));
  p.setPen(QPen(QColor(0xf2, 0xd0, 0x3b), std::max(1.5, h / 140), Qt::DashLine));
  p.drawLine(QPointF(r.left() + w * 0.35, crest - h * 0.018),
             QPointF(r.left() + w * 0.65, crest - h * 0.018));
  // Ground and channel.
  p.setPen(Qt::NoPen);
  p.setBrush(kSoil);
  p.drawRect(QRectF(r.left(), ground, w, r.bottom() - ground));
  p.setBrush(kWater);
  p.drawRect(QRectF(r.left(), ground + h * 0.06, w, h * 0.05));
  // Headwall and the culvert barrel opening.
  const double pr = h * 0.15;
  const QPointF c(r.left() + w * 0.5, ground - pr * 0.55);
  p.setBrush(kConcreteDark);
  p.drawRect(QRectF(c.x() - pr * 1.6, c.y() - pr * 1.25, pr * 3.2, pr * 0.35));
  draw_pipe_end(p, c, pr, 0.3);
  // Outlet apron of riprap stones.
  unsigned s = 99;
  for (int i = 0; i < 40; ++i) {
    s = s * 1103515245u + 12345u;
    const double x = c.x() - pr * 2.2 + (s >> 8) % static_cast<unsigned>(pr * 4.4);
    s = s * 1103515245u + 12345u;
    const double y = ground + (s >> 8) % static_cast<unsigned>(h * 0.05 + 1);
    p.setBrush(QColor(0x9a + static_cast<int>(s % 30), 0x95, 0x8c));
    p.drawEllipse(QPointF(x, y), pr * 0.16, pr * 0.11);
  }
}

// A storm sewer in profile: ground line, structures, pipes and the hydraulic grade line.
void profile_scene(QPainter& p, const QRectF& r) {
  const double w = r.width(), h = r.height();
  p.fillRect(r, QColor(0xf5, 0xf7, 0xfa));
  p.setPen(QPen(QColor(0xdd, 0xe3, 0xea), 1));
  for (double x = r.left(); x < r.right(); x += w / 16)
    p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
  for (double y = r.top(); y < r.bottom(); y += h / 9)
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  const int n = 4;
  double xs[n + 1], gy[n + 1], inv[n + 1];
  for (int i = 0; i <= n; ++i) {
    xs[i] = r.left() + w * (0.08 + 0.84 * i / n);
    gy[i] = r.top() + h * (0.22 + 0.11 * i + 0.03 * std::sin(i * 1.7));
    inv[i] = gy[i] + h * (0.24 + 0.02 * (i % 2));
  }
  // Ground line.
  QPainterPath groundPath;
  groundPath.moveTo(r.left(), gy[0] - h * 0.02);
  for (int i = 0; i <= n; ++i) groundPath.lineTo(xs[i], gy[i]);
  groundPath.lineTo(r.right(), gy[n] + h * 0.02);
  QPainterPath soil = groundPath;
  soil.lineTo(r.right(), r.bottom());
  soil.lineTo(r.left(), r.bottom());
  soil.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe9, 0xdf, 0xcf));
  p.drawPath(soil);
  p.setPen(QPen(QColor(0x6b, 0x4f, 0x2e), 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(groundPath);
  // Pipes between structures.
  const double d = h * 0.07;
  for (int i = 0; i < n; ++i) {
    QPolygonF pipe;
    pipe << QPointF(xs[i], inv[i] - d) << QPointF(xs[i + 1], inv[i + 1] - d) << QPointF(xs[i + 1], inv[i + 1])
         << QPointF(xs[i], inv[i]);
    p.setPen(QPen(kConcreteDark, 2));
    p.setBrush(kConcrete);
    p.drawPolygon(pipe);
  }
  // Structures (inlets and manholes).
  for (int i = 0; i <= n; ++i) {
    p.setPen(QPen(QColor(0x33, 0x36, 0x3b), 2));
    p.setBrush(QColor(0xb8, 0xbe, 0xc6));
    p.drawRect(QRectF(xs[i] - w * 0.012, gy[i], w * 0.024, inv[i] - gy[i] + h * 0.02));
  }
  // Hydraulic grade line.
  QPainterPath hgl;
  for (int i = 0; i <= n; ++i) {
    const QPointF pt(xs[i], inv[i] - d * 1.6 - h * 0.01 * (n - i));
    if (i == 0)
      hgl.moveTo(pt);
    else
      hgl.lineTo(pt);
  }
  p.setPen(QPen(kWater, 3, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hgl);
  // Outfall water.
  p.setPen(Qt::NoPen);
  p.setBrush(kWaterLight);
  p.drawRect(QRectF(xs[n] + w * 0.012, inv[n] - d * 0.8, r.right() - xs[n], r.bottom() - inv[n] + d * 0.8));
}

QImage splash() {
  QImage img(704, 352, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  culvert_scene(p, QRectF(0, 0, img.width(), img.height()));
  return img;
}

QImage main_picture() {
  QImage img(960, 540, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  profile_scene(p, QRectF(0, 0, img.width(), img.height()));
  // The culvert scene inset in a corner.
  const QRectF inset(img.width() * 0.62, img.height() * 0.04, img.width() * 0.34, img.height() * 0.34);
  p.save();
  p.setClipRect(inset);
  culvert_scene(p, inset);
  p.restore();
  p.setPen(QPen(QColor(0x33, 0x36, 0x3b), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(inset);
  return img;
}

// The help button's picture: a question mark in a blue disc, drawn at twice the size it is
// shown, so that it stays sharp on a high-resolution screen.
QImage help_picture() {
  QImage img(48, 48, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kWater.darker(140), 2.5));
  p.setBrush(kWater);
  p.drawEllipse(QRectF(3, 3, 42, 42));
  QFont f("DejaVu Sans");
  f.setBold(true);
  f.setPixelSize(32);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(3, 3, 42, 42), Qt::AlignCenter, "?");
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  // A build step speaks only when something fails: the platform's notes are dropped.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  if (argc != 2) {
    std::fprintf(stderr, "usage: gw_artwork FOLDER\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  bool ok = logo().save(dir + "/logo.png") && splash().save(dir + "/splash.png") &&
            main_picture().save(dir + "/main.png") && help_picture().save(dir + "/help.png");
  if (!ok) std::fprintf(stderr, "gw_artwork: could not write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
