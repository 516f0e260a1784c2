// The language the locale's environment variables ask for: the first that is set decides.

#include "platform/process.h"
#include "platform/user_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace dxf2csv {
namespace {

constexpr const char* kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

/// Sets the four variables for one test, and puts back what they were.
class LocaleEnvironment {
public:
    explicit LocaleEnvironment(const std::map<std::string, std::string>& values) {
        for (const char* name : kVariables) {
            if (const char* old = std::getenv(name)) saved_[name] = old;
            const auto found = values.find(name);
            set(name, found == values.end() ? std::nullopt : std::optional<std::string>(found->second));
        }
    }
    ~LocaleEnvironment() {
        for (const char* name : kVariables) {
            const auto found = saved_.find(name);
            set(name, found == saved_.end() ? std::nullopt : std::optional<std::string>(found->second));
        }
    }

private:
    static void set(const char* name, const std::optional<std::string>& value) {
#if defined(_WIN32)
        _putenv_s(name, value ? value->c_str() : "");
#else
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
#endif
    }
    std::map<std::string, std::string> saved_;
};

TEST(UserLanguage, TheFirstVariableThatIsSetDecides) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> environment;
        bool japanese;
    };
    const Case cases[] = {
        {"LANG Japanese", {{"LANG", "ja_JP.UTF-8"}}, true},
        {"LANGUAGE before LANG", {{"LANGUAGE", "en_US"}, {"LANG", "ja_JP.UTF-8"}}, false},
        {"LC_ALL before LANG", {{"LC_ALL", "ja_JP.eucJP"}, {"LANG", "C"}}, true},
        {"LC_MESSAGES before LANG", {{"LC_MESSAGES", "C"}, {"LANG", "ja_JP.UTF-8"}}, false},
        {"an empty one counts as not set", {{"LANGUAGE", ""}, {"LANG", "ja"}}, true},
        {"English", {{"LANG", "en_GB.UTF-8"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocaleEnvironment environment(c.environment);
        EXPECT_EQ(platform::userWantsJapanese(), c.japanese);
    }
    LocaleEnvironment none({});
    EXPECT_FALSE(platform::languageFromEnvironment());
}

} // namespace
} // namespace dxf2csv
