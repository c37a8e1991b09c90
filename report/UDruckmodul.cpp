#include "report/UDruckmodul.h"

#include "app/UModul.h"

IDruckModul& druckModul() { return modulLaden<IDruckModul>("vemla_druck.so", "Die Druckunterstützung"); }
