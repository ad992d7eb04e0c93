#include "transparent_bitmap.h"
