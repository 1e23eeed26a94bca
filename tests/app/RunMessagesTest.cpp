#include "RunMessages.h"

#include <gtest/gtest.h>

namespace {

// The engine's words as the panes show them (its lines joined with " / "), and the Korean
// sentence the status line adds for the common causes.
TEST(EngineFailureHint, NamesTheCommonCauses) {
    struct TCase {
        const char* EngineText;
        const char* Hint; // empty: no hint
    };
    const TCase cases[] = {
        {"file /srv/db/notes.fdb is not a valid database", "데이터베이스 파일이 아닙니다."},
        {"I/O error during \"write\" operation for file \"/mnt/small/a.BAK\" / Error while trying to write to "
         "file / No space left on device",
         "디스크에 남은 공간이 모자랍니다."},
        {"Database already opened with engine instance, incompatible with current",
         "다른 프로그램(Firebird 서버 등)이 데이터베이스를 쓰고 있습니다. 그 프로그램을 끝낸 뒤 다시 하십시오."},
        {"no permission for read-write access to database /srv/db/a.fdb", "파일이나 폴더에 접근할 권한이 없습니다."},
        {"I/O error during \"open\" operation for file \"/tmp/firebird/fb_init\" / Error while trying to open file "
         "/ Permission denied",
         "파일이나 폴더에 접근할 권한이 없습니다."},
        {"connection shutdown", ""},
        {"Unsuccessful execution caused by an unavailable resource", ""},
        {"", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(EngineFailureHint(QString::fromUtf8(c.EngineText)), QString::fromUtf8(c.Hint)) << c.EngineText;
}

} // namespace
