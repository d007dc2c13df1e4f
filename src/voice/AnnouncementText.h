#pragma once

#include "AnnouncementEvent.h"
#include "AnnouncementTemplates.h"

#include <QString>

class BlindStructure;

// The words of each announcement, from the blinds and ante as the clock screen shows them.
class AnnouncementText
{
public:
    explicit AnnouncementText(AnnouncementTemplates templates = {}, int levelWarningMinutes = 0)
        : m_templates(std::move(templates)), m_levelWarningMinutes(levelWarningMinutes)
    {}

    // Empty when the level the event names is not in the structure.
    QString text(const AnnouncementEvent& event, const BlindStructure& blinds) const;

    QString levelStart(int level, const QString& smallBlind, const QString& bigBlind,
                       const QString& ante) const;
    QString breakStart(int minutes) const;
    QString breakWarning() const;
    QString levelWarning(int minutes) const;
    QString lastLevelEnd() const;
    // What the "Test" button says.
    QString sample() const;

    int levelWarningMinutes() const { return m_levelWarningMinutes; }

    // A blind or ante as words can read it: currency signs and separators dropped, "K" and "M" multiplied
    // out ("1.5K" is "1500"). Empty for no amount ("", "-", "0").
    static QString spokenAmount(const QString& caption);

private:
    AnnouncementTemplates m_templates;
    int m_levelWarningMinutes = 0;
};
