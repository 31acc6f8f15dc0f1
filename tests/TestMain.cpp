#include "app/Translations.h"
#include "core/Delays.h"

#include <QApplication>
#include <gtest/gtest.h>

// LeakSanitizer, in the sanitizer build: GStreamer and GLib keep their type system, plugin
// registry and element factories for the life of the process and never free them.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgstreamer-1.0.so\n"
           "leak:libgstbase-1.0.so\n"
           "leak:libgstaudio-1.0.so\n"
           "leak:libgstvideo-1.0.so\n"
           "leak:libgstpbutils-1.0.so\n";
}

// Every test runs with a QApplication on the offscreen platform, in English as the application
// speaks it (counted texts with their plural forms), and with the application's delays a hundred
// times shorter.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const Translations english{QLocale(QLocale::English)};
    Delays::setTimeScale(0.01);
    return RUN_ALL_TESTS();
}
