// Errors of the client library turned into the layer's error.
#pragma once

#include "errors.h"

struct st_mysql;
class TextCodec;

// A refusal by the server: "MySQL Error Code: (n)" CR LF and the server's text (which comes
// in the connection's character set); a failure of the client: the client library's text.
EmySQLDatabaseError dbError(st_mysql *mysql, const TextCodec &codec);
