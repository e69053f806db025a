// The rules every HTTP transport keeps: which addresses are asked for, which redirects are
// followed and where they lead, and the size limit of a body.
#include "http/transfer_rules.hpp"

#include <gtest/gtest.h>

namespace pemu::http {
namespace {

TEST(TransferRules, OnlyHttpAndHttpsAddressesAreAskedFor) {
    struct Case {
        const char* address;
        bool allowed;
    };
    const Case cases[] = {
        {"http://example.org/pemu/AppVer.php", true},
        {"HTTPS://example.org", true},
        {"http://127.0.0.1:8080", true},
        {"ftp://example.org/Update.exe", false},
        {"file:///C:/Windows/notepad.exe", false},
        {"file://server/share/x", false},
        {"httpx://example.org", false},
        {"http:/example.org", false},
        {"http://", false},
        {"http:///path", false},
        {"//example.org/x", false},
        {"/files/x", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAllowedAddress(c.address), c.allowed) << c.address;
}

TEST(TransferRules, RedirectsLeadWhereTheLocationSays) {
    struct Case {
        const char* from;
        const char* location;
        const char* next;  // nullptr: not followed
    };
    const Case cases[] = {
        {"http://a.org/x/y?q=1", "http://b.org/z", "http://b.org/z"},
        {"http://a.org/x/y", "https://b.org", "https://b.org"},
        {"https://a.org/x/y", "//b.org/z", "https://b.org/z"},
        {"http://a.org:81/x/y?q", "/z?r#frag", "http://a.org:81/z?r"},
        {"http://a.org/x/y", "z", "http://a.org/x/z"},
        {"http://a.org/x/y/", "z", "http://a.org/x/y/z"},
        {"http://a.org", "z", "http://a.org/z"},
        {"http://a.org/x/y/w", "../z", "http://a.org/x/z"},
        {"http://a.org/x/y", "../../../../z", "http://a.org/z"},
        {"http://a.org/x/y", "./", "http://a.org/x/"},
        {"http://a.org/x/y", "?page=2", "http://a.org/x/y?page=2"},
        {"http://a.org/x/y", "new file.exe", "http://a.org/x/new%20file.exe"},
        {"http://a.org/x", "ftp://a.org/Update.exe", nullptr},
        {"http://a.org/x", "file:///etc/passwd", nullptr},
        {"http://a.org/x", "", nullptr},
        {"http://a.org/x", "#only", nullptr},
        {"http://a.org/x", "/a\r\nSet-Cookie: x", nullptr},
        {"ftp://a.org/x", "/y", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> next = NextAddress(c.from, c.location, 0);
        if (c.next)
            EXPECT_EQ(next, std::optional<std::string>(c.next)) << c.from << " + " << c.location;
        else
            EXPECT_EQ(next, std::nullopt) << c.from << " + " << c.location;
    }
}

TEST(TransferRules, TheSixthRedirectIsNotFollowed) {
    EXPECT_TRUE(NextAddress("http://a.org/1", "/2", kMaxRedirects - 1).has_value());
    EXPECT_FALSE(NextAddress("http://a.org/1", "/2", kMaxRedirects).has_value());
    for (const long status : {301L, 302L, 303L, 307L, 308L})
        EXPECT_TRUE(IsRedirectStatus(status));
    for (const long status : {200L, 300L, 304L, 305L, 306L, 404L})
        EXPECT_FALSE(IsRedirectStatus(status));
    EXPECT_TRUE(IsSuccessStatus(200));
    EXPECT_TRUE(IsSuccessStatus(299));
    EXPECT_FALSE(IsSuccessStatus(199));
    EXPECT_FALSE(IsSuccessStatus(300));
}

TEST(TransferRules, ABodyNeverGrowsPastItsLimit) {
    std::string body = "abc";
    EXPECT_TRUE(AppendWithin(body, "de", 2, 5));
    EXPECT_EQ(body, "abcde");
    EXPECT_FALSE(AppendWithin(body, "f", 1, 5));
    EXPECT_EQ(body, "abcde");
    // A size that would wrap around the limit arithmetic is refused, not appended.
    EXPECT_FALSE(AppendWithin(body, "g", static_cast<std::size_t>(-1), 5));
    EXPECT_EQ(body, "abcde");
}

}  // namespace
}  // namespace pemu::http
