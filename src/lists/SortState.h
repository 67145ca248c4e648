#pragma once

namespace bw {

// The one ordering that all four lists share: a header click on any list sets
// the column and flips the direction, and every scan start resets both.
struct SortState {
    int column = 0;
    int direction = +1;

    void reset()
    {
        column = 0;
        direction = +1;
    }

    // What a header click does to the shared state.
    void click(int newColumn)
    {
        column = newColumn;
        direction = -direction;
    }
};

} // namespace bw
