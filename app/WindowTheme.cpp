#include "WindowTheme.h"

#include <QApplication>

bool isDarkScheme(ColourScheme scheme) {
  return scheme == ColourScheme::NIGHT || scheme == ColourScheme::DUSK || scheme == ColourScheme::DAY_BLACKBACK;
}

QPalette darkPalette(ColourScheme scheme) {
  const bool night = scheme == ColourScheme::NIGHT;
  const QColor window = night ? QColor(18, 20, 20) : QColor(45, 48, 50);
  const QColor base = night ? QColor(8, 9, 9) : QColor(30, 32, 33);
  const QColor text = night ? QColor(120, 130, 132) : QColor(200, 208, 210);
  const QColor disabled = night ? QColor(60, 65, 66) : QColor(110, 115, 117);
  const QColor highlight = night ? QColor(40, 55, 70) : QColor(50, 90, 130);
  QPalette p;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const QColor foreground = group == QPalette::Disabled ? disabled : text;
    p.setColor(group, QPalette::Window, window);
    p.setColor(group, QPalette::WindowText, foreground);
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::AlternateBase, window);
    p.setColor(group, QPalette::ToolTipBase, window);
    p.setColor(group, QPalette::ToolTipText, text);
    p.setColor(group, QPalette::PlaceholderText, disabled);
    p.setColor(group, QPalette::Text, foreground);
    p.setColor(group, QPalette::Button, window);
    p.setColor(group, QPalette::ButtonText, foreground);
    p.setColor(group, QPalette::BrightText, text);
    p.setColor(group, QPalette::Light, window.lighter(130));
    p.setColor(group, QPalette::Midlight, window.lighter(115));
    p.setColor(group, QPalette::Mid, window.darker(120));
    p.setColor(group, QPalette::Dark, base);
    p.setColor(group, QPalette::Shadow, Qt::black);
    p.setColor(group, QPalette::Highlight, highlight);
    p.setColor(group, QPalette::HighlightedText, text);
    p.setColor(group, QPalette::Link, text);
    p.setColor(group, QPalette::LinkVisited, text);
  }
  return p;
}

void applyWindowTheme(ColourScheme scheme) {
  // The application's palette is the process's, and so is the normal one
  // kept from before the first change.
  static const QPalette normal = QApplication::palette();
  QApplication::setPalette(isDarkScheme(scheme) ? darkPalette(scheme) : normal);
}
