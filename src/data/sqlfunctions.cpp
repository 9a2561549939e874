#include "sqlfunctions.h"

#include "conversions.h"

#include <QString>
#include <sqlite3.h>

namespace data {

namespace {

QString textOf(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

// val(x): the number at the start of a text; numbers pass through and Null
// stays Null. An overflowing text reads as 0, as conv::val does, so one bad
// cell cannot break a whole listing.
void sqlVal(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: sqlite3_result_null(ctx); return;
    case SQLITE_INTEGER: sqlite3_result_int64(ctx, sqlite3_value_int64(v)); return;
    case SQLITE_FLOAT: sqlite3_result_double(ctx, sqlite3_value_double(v)); return;
    default: sqlite3_result_double(ctx, conv::val(textOf(v))); return;
    }
}

// cdbl(x): x as a Double when it is wholly a number, otherwise Null (where
// the old runtime raised a type mismatch).
void sqlCdbl(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: sqlite3_result_null(ctx); return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: sqlite3_result_double(ctx, sqlite3_value_double(v)); return;
    default:
        if (const auto n = conv::strictNumber(textOf(v)))
            sqlite3_result_double(ctx, *n);
        else
            sqlite3_result_null(ctx);
        return;
    }
}

// isnumeric(x): 1 when cdbl(x) would give a number; Null is not numeric.
void sqlIsNumeric(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: sqlite3_result_int(ctx, 0); return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: sqlite3_result_int(ctx, 1); return;
    default: sqlite3_result_int(ctx, conv::isNumeric(textOf(v)) ? 1 : 0); return;
    }
}

}  // namespace

int registerSqlFunctions(sqlite3* db)
{
    // Deterministic, so they may also appear in indexes and be folded.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    struct Fn {
        const char* name;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    for (const Fn& f : {Fn{"val", sqlVal}, Fn{"cdbl", sqlCdbl}, Fn{"isnumeric", sqlIsNumeric}}) {
        const int rc = sqlite3_create_function_v2(db, f.name, 1, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

}  // namespace data
