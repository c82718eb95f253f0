#include "SessionDialogs.h"

SessionDialogs::~SessionDialogs() = default;
