#include "categorytree.h"

#include <algorithm>

namespace masters {

CategoryTree::CategoryTree(std::vector<CategoryRow> rows) : rows_(std::move(rows))
{
    indexOf_.reserve(rows_.size());
    for (int i = 0; i < int(rows_.size()); ++i)
        indexOf_.emplace(rows_[std::size_t(i)].id, i);
}

int CategoryTree::indexOf(int id) const
{
    const auto found = indexOf_.find(id);
    return found == indexOf_.end() ? -1 : found->second;
}

void CategoryTree::walkUp(int id, int limit, const Visit& visit) const
{
    int at = indexOf(id);
    if (at < 0)
        return;
    // The categories passed, in the order met: a chain is short, so a
    // look through it costs less than a set.
    std::vector<int> passed{at};
    for (int step = 0; step < limit; ++step) {
        const int parent = rows_[std::size_t(at)].parent;
        if (parent == 0)
            return;
        const int row = indexOf(parent);
        const bool again = row >= 0 && std::find(passed.begin(), passed.end(), row) != passed.end();
        if (!visit(parent, row, again) || row < 0)
            return;
        passed.push_back(row);
        at = row;
    }
}

std::vector<int> CategoryTree::ancestors(int id, int limit) const
{
    std::vector<int> out;
    walkUp(id, limit, [&out](int, int row, bool) {
        if (row < 0)
            return false;
        out.push_back(row);
        return true;
    });
    return out;
}

bool CategoryTree::wouldLoop(int id, int parent) const
{
    if (parent == 0)
        return false;
    if (parent == id)
        return true;
    // Up from the new parent, once round any loop already there.
    bool found = false;
    walkUp(parent, int(rows_.size()) + 1, [&](int ancestor, int, bool again) {
        found = ancestor == id;
        return !found && !again;
    });
    return found;
}

std::vector<CategoryTree::Placed> CategoryTree::layout() const
{
    const int n = int(rows_.size());
    std::unordered_map<int, std::vector<int>> children;
    for (int i = 0; i < n; ++i)
        children[rows_[std::size_t(i)].parent].push_back(i);
    std::vector<bool> placed(std::size_t(n), false);
    // One run of rows per top-level category: it and all below it.
    std::vector<std::vector<Placed>> tops;

    // Depth first, each category's sub-categories in row order. Iterative,
    // so a long chain cannot exhaust the stack; a category is placed once,
    // so a loop ends here.
    const auto place = [&](int start) {
        std::vector<Placed>& run = tops.emplace_back();
        std::vector<Placed> stack{{start, 1}};
        while (!stack.empty()) {
            const Placed p = stack.back();
            stack.pop_back();
            if (placed[std::size_t(p.row)])
                continue;
            placed[std::size_t(p.row)] = true;
            run.push_back(p);
            const auto kids = children.find(rows_[std::size_t(p.row)].id);
            if (kids == children.end())
                continue;
            for (auto k = kids->second.rbegin(); k != kids->second.rend(); ++k)
                if (!placed[std::size_t(*k)])
                    stack.push_back({*k, p.level + 1});
        }
    };

    for (int i = 0; i < n; ++i) {
        const CategoryRow& c = rows_[std::size_t(i)];
        if (c.parent == 0 || c.parent == c.id || indexOf(c.parent) < 0)
            place(i);
    }
    // What is left hangs in or below a loop of parents: walking up from it,
    // the first category met twice is a member of the loop, and goes to
    // the top; the rest of the loop and all below it follow under it.
    for (int i = 0; i < n; ++i) {
        if (placed[std::size_t(i)])
            continue;
        int at = i;
        walkUp(rows_[std::size_t(i)].id, n + 1, [&](int, int row, bool again) {
            if (row < 0 || (placed[std::size_t(row)] && !again))
                return false;
            at = row;
            return !again;
        });
        place(at);
    }

    std::stable_sort(tops.begin(), tops.end(), [this](const std::vector<Placed>& a, const std::vector<Placed>& b) {
        return rows_[std::size_t(a.front().row)].name.compare(rows_[std::size_t(b.front().row)].name,
                                                              Qt::CaseInsensitive) < 0;
    });
    std::vector<Placed> out;
    out.reserve(std::size_t(n));
    for (const std::vector<Placed>& run : tops)
        out.insert(out.end(), run.begin(), run.end());
    return out;
}

}  // namespace masters
