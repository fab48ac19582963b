// The dialogs that ask for a date range, a month range, a client, a text, or an amount
// with a remark.
#pragma once

#include "honap.h"
#include "idoszak.h"
#include "inpstr.h"
#include "inpszamszoveg.h"
#include "ugyfelvalaszt.h"
