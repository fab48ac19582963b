// The analysis charts and the cash-flow browser.
#pragma once

#include "chbevkiad.h"
#include "chcsekkidoszak.h"
#include "chcsekkmegoszlas.h"
#include "chelemzes.h"
#include "chmegoszlas.h"
