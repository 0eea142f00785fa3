#pragma once
// Text shaping started once on one thread before views draw on several.
//
// Qt shapes chart texts with the system's HarfBuzz, which fills some
// process-wide tables on first use (the list of languages, with the default
// language from the locale; its shaper and Unicode function tables) and
// publishes each with an atomic compare-and-swap of its own. Drawing threads
// that start cold race to fill them; HarfBuzz orders that correctly, but a
// ThreadSanitizer build cannot see atomics inside a library it did not
// instrument and reports the strings it copied as a data race. Qt's font
// database is filled lazily under Qt's own locks the same way. Drawing one
// text first, on the thread that then starts the others, leaves nothing for
// the drawing threads to fill.
//
// A program that draws on more than one thread calls this before it starts
// them, with the font its views draw in. It needs a QGuiApplication
// (without one it does nothing) and costs one small text drawn, once per
// process.
#include <QFont>

void warmTextShaping(const QFont& font);
