#include "B.h"
