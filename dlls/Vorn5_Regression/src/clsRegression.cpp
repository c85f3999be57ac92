#include "clsRegression.h"
