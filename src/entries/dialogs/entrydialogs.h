// The dialogs that ask for a date range, a month range, a client, a text, or an amount
// with a remark.
#pragma once

#include "amounttext.h"
#include "asktext.h"
#include "clientchooser.h"
#include "daterange.h"
#include "monthrange.h"
