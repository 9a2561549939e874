#pragma once
// The base of the tests of the category screens (the list and its detail
// dialog): the shared fixture, the list opened in a mode, and what the
// category table holds. Header only: the masters tests alone include it.

#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/sqltestutil.h"

#include "data/recordset.h"
#include "masters/frmcategory.h"

class CategoryScreenTest : public ScreenTest {
protected:
    static masters::FrmCategory& open(const QString& mode)
    {
        return screentest::openInMode<masters::FrmCategory>(mode);
    }
    // Every category name, in name order.
    QStringList storedNames()
    {
        return sqltest::column(db.query(QStringLiteral("SELECT CatName FROM Category ORDER BY CatName")));
    }
    // The stored parent of a category, -1 when there is no such category.
    int storedParent(const QString& name)
    {
        data::Recordset rs = db.query(QStringLiteral("SELECT ParentCategory FROM Category WHERE CatName = ?"), {name});
        return rs.eof() ? -1 : rs.value(0).toInt();
    }
};
