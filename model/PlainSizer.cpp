#include "model/PlainSizer.h"
