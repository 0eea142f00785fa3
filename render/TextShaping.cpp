#include "TextShaping.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <mutex>

void warmTextShaping(const QFont& font) {
  // The tables it fills belong to the process (Qt's and HarfBuzz's), so the
  // flag that they are filled does too.
  static std::once_flag once;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  std::call_once(once, [&font] {
    QImage image(64, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    // Latin, digits and the Han script of Chinese names: the scripts of
    // every chart text.
    painter.drawText(QRect(0, 0, 64, 16), Qt::AlignLeft | Qt::TextSingleLine, QStringLiteral("Fl 3s 12m \u6d77\u56fe"));
  });
}
