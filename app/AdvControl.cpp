#include "app/AdvControl.h"

AdvControl::~AdvControl() = default;
