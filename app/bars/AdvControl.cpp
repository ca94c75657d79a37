#include "app/bars/AdvControl.h"

AdvControl::~AdvControl() = default;
