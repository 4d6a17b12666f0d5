#pragma once

class QUrl;

// Hands a web address to the user's browser. Returns at once; whether the
// browser could be started is not reported.
class WebOpener
{
public:
    virtual ~WebOpener() = default;
    virtual void open(const QUrl &address) = 0;
};

// Opens addresses through the desktop's URL handler (xdg-open on Linux).
class DesktopWebOpener final : public WebOpener
{
public:
    void open(const QUrl &address) override;
};
