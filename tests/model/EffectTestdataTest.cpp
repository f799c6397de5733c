// Every effect on the default 24 x 1 strip against sub-frames computed independently
// of this program (start colours: cell i holds i + 1).

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

using namespace zv;
using namespace zv::test;

TEST(EffectTestdata, EveryEffectOnTheDefaultStrip) {
    // The second opinion lives beside the repository, not in it.
    QFile file(QStringLiteral(ZORVANE_TESTDATA_DIR "/effects-24x1.json"));
    if (!file.exists()) GTEST_SKIP() << "no " ZORVANE_TESTDATA_DIR "/effects-24x1.json";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll()).object()[u"cases"].toArray();
    ASSERT_GE(cases.size(), 56);
    std::set<int> seen;
    for (const QJsonValue& v : cases) {
        const QJsonObject c = v.toObject();
        const int effect = c[u"effect"].toInt(), loop = c[u"loop"].toInt();
        const int cols = c[u"cols"].toInt(), rows = c[u"rows"].toInt();
        seen.insert(effect);
        std::vector<COLORREF> start;
        for (const QJsonValue& x : c[u"start"].toArray()) start.push_back(COLORREF(x.toInteger()));
        std::vector<std::vector<COLORREF>> want;
        for (const QJsonValue& sub : c[u"subFrames"].toArray()) {
            want.emplace_back();
            for (const QJsonValue& x : sub.toArray())
                want.back().push_back(COLORREF(x.toInteger()));
        }
        auto av = Animation();
        CNeonFrame& f = *av->currentFrame;
        AddRegion(f, cols, rows, start);
        f.ApplyEffect(*av->anchor, effect, loop, false);
        const auto got = FirstRegionColours(BuiltPictures(f));
        ASSERT_EQ(got.size(), want.size()) << "effect " << effect << " loop " << loop;
        for (std::size_t k = 0; k < got.size(); ++k)
            EXPECT_EQ(got[k], want[k])
                << "effect " << effect << " loop " << loop << " sub-frame " << k;
    }
    EXPECT_EQ(seen.size(), 56u);
}
