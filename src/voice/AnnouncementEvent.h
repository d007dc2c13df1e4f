#pragma once

// Something the clock says, and the level it belongs to.
struct AnnouncementEvent
{
    enum class Kind
    {
        LevelStart,
        BreakStart,
        BreakWarning,
        LevelWarning,
        LastLevelEnd
    };

    Kind kind = Kind::LevelStart;
    int level = 0;

    friend bool operator==(const AnnouncementEvent&, const AnnouncementEvent&) = default;
};
