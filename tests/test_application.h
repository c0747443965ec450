#pragma once

#include <QCoreApplication>

#include <memory>

// The program's logic needs no more than Qt Core (test_application_core.cpp); the suites of the
// Qt layer get a widget application on the offscreen platform, free of any display
// (test_application_widgets.cpp).
std::unique_ptr<QCoreApplication> makeTestApplication(int &argc, char **argv);
