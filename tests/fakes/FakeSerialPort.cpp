// The fake is header-only; this file stays because the fuzz targets list it as a source.
#include "fakes/FakeSerialPort.h"
