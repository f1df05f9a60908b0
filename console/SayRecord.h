// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SayRecordText.h"
#include "grouplink/SayListener.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"

#include <optional>
#include <vector>

namespace quorvex::console {

// Today's entries as the record holds them, oldest first.
struct RecordOfDay
{
    std::vector<RecordEntry> entries;
    std::optional<QString> failure; // why the record could not be read
};

// The day's record of everything handed to the group link: one entry per text, written as soon as the link knows
// how far the text got. A record that cannot be written never holds up the saying; the host hears of it once.
class SayRecord final : public grouplink::SayListener
{
public:
    SayRecord(platform::DataFolder& folder, const platform::Clock& clock, platform::MessageBox& messageBox);

    void said(const QString& windowTitle, const QString& txt, const grouplink::SayOutcome& outcome) override;

    RecordOfDay today() const;

private:
    platform::DataFolder& m_folder;
    const platform::Clock& m_clock;
    platform::MessageBox& m_messageBox;
    bool m_failureTold = false;
};

} // namespace quorvex::console
