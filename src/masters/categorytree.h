#pragma once
// The category hierarchy, walked in one place. Each category names its
// parent (0: none), and another tool may have left a parent that is gone,
// a category that is its own parent, or a loop of parents. The picker's
// tree, a category's ancestor path and the check of a new parent all walk
// the hierarchy through this class, so such data is met one way
// everywhere. It reads nothing: it is made from the category rows.

#include <QString>
#include <functional>
#include <unordered_map>
#include <vector>

namespace masters {

struct CategoryRow {
    int id = 0;
    QString name;
    int parent = 0;  // 0: a top-level category
};

class CategoryTree {
public:
    // `rows` in the order sub-categories are listed (by name).
    explicit CategoryTree(std::vector<CategoryRow> rows = {});

    const std::vector<CategoryRow>& rows() const { return rows_; }
    // The row of a category, -1 when there is none.
    int indexOf(int id) const;

    // Walks up from category `id`: its parent, the parent's parent and so
    // on, calling visit(parent key, its row, again) for each. The row is -1
    // for a parent that is not there, which ends the walk; `again` is true
    // for a category this walk has passed already (it has come round a
    // loop). The walk also ends at a top-level category, when visit returns
    // false, or after `limit` steps.
    using Visit = std::function<bool(int parent, int row, bool again)>;
    void walkUp(int id, int limit, const Visit& visit) const;

    // The rows of the ancestors of `id` that are there, nearest first, at
    // most `limit`; a loop is followed round again.
    std::vector<int> ancestors(int id, int limit) const;
    // True when category `id` under `parent` would be its own ancestor:
    // `parent` is `id` or lies below it.
    bool wouldLoop(int id, int parent) const;

    // The picker's tree: every category once, depth first, each followed by
    // its sub-categories in row order; the level is 1 at the top. The top
    // holds the categories without a parent, with a parent that is not
    // there, or with themselves as parent, and for what hangs in or below
    // a loop, the loop's member first met twice walking up from it. The top
    // level is in name order.
    struct Placed {
        int row = 0;
        int level = 1;
    };
    std::vector<Placed> layout() const;

private:
    std::vector<CategoryRow> rows_;
    std::unordered_map<int, int> indexOf_;
};

}  // namespace masters
