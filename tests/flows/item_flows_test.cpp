// Recognition by the seven item flows and the chain, without a suite installed: the rows that
// only show a message, white space around a row, and rows that no flow knows.
#include "flows/item_flows.h"

#include "flows/flow_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/message_box.h"
#include "project_dir.h"
#include "support/box_capture.h"

namespace {

using namespace flows;

using FlowRows = std::span<const FlowRow> (*)();

/// The result of one item flow for `rowText`, as the chain offers it.
int Offer(const ItemFlow& flow, const std::string& rowText) {
    return RunFirstMatchingRow(flow.rows(), rowText, PluginFlowContext());
}

// clang-format off
constexpr char kDevNotice[] = "新规范版本VEGA正在研发中,敬请期待!\n  给您工作带来了不便,请您谅解。";
constexpr char kRedirect[]  = "请您运行VEGA、LYRA或ORION模块";

struct MessageRow {
    const char* rowText;  // as the catalogue stores it
    FlowRows flow;
    const char* message;
};

const MessageRow kMessageRows[] = {
    {"框架|VEGA、LYRA或ORION计算",                     SteelFlowRows,     kRedirect},
    {"底框-抗震墙结构三维分析|生成VEGA数据",           MasonryFlowRows,   kDevNotice},
    {"底框-抗震墙结构三维分析|VEGA内力及配筋计算",     MasonryFlowRows,   kDevNotice},
    {"底框-抗震墙结构三维分析|VEGA计算结果显示",       MasonryFlowRows,   kDevNotice},
    {"VEGA|接CORE生成VEGA数据 ",                       StructureFlowRows, kDevNotice},
    {"VEGA|结构内力，配筋计算 ",                       StructureFlowRows, kDevNotice},
    {"VEGA|CORE次梁内力与配筋计算 ",                   StructureFlowRows, kDevNotice},
    {"VEGA|分析结果图形和文本显示 ",                   StructureFlowRows, kDevNotice},
    {"VEGA|框支剪力墙有限元分析 ",                     StructureFlowRows, kDevNotice},
    {"VEGA|新版程序说明与常见问题 ",                   StructureFlowRows, kDevNotice},
    {"VEGA-8|接CORE生成VEGA数据 ",                     StructureFlowRows, kDevNotice},
    {"VEGA-8|结构内力，配筋计算 ",                     StructureFlowRows, kDevNotice},
    {"VEGA-8|CORE次梁内力与配筋计算 ",                 StructureFlowRows, kDevNotice},
    {"VEGA-8|分析结果图形和文本显示 ",                 StructureFlowRows, kDevNotice},
    {"VEGA-8|新版程序说明与常见问题 ",                 StructureFlowRows, kDevNotice},
};

// Near misses of recognised texts, and texts no flow knows.
const char* const kUnknownRows[] = {
    "",
    " \t ",
    "|",
    "样例分析 ZETA|内力计算",
    "vega|结构内力，配筋计算",
    "VEGA |结构内力，配筋计算",
    "VEGA|结构内力,配筋计算",
    "VEGA-8|框支剪力墙有限元分析",
    "VEGA-8 |接CORE生成VEGA数据",
    "框架|形成flat文件",
    "框架|形成FLAT",
    "框架|三维模型与荷载输入x",
    "框架|VEGA、LYRA或ORION计算|RunExeFile|IRON|Modelin.exe",
    "CORECAD|建筑模型与荷载输入\t\t|",
    "CORECAD 结构三维线框透视图",
    "三维建筑设计BLDG|建筑模型输入",
    "三维建筑设计  BLDG|总平面图",
    "三维建筑设计 bldg|建筑大样图",
    "三维建筑设计 BLDG|与结构CAD（CORECAD）接口",
    "箱形基础设计 TUB|墙体配筋选择选择",
    "预应力砼结构三维设计 TEND|",
    "底框及连续梁结构二维分析|生成flat数据",
};
// clang-format on

TEST(ItemFlows, MessageRowsShowTheirTextOnceAndOnlyTheirFlowTakesThem) {
    const std::string caption = MessageCaption();
    for (const MessageRow& row : kMessageRows) {
        SCOPED_TRACE(row.rowText);
        for (const ItemFlow& flow : FlowChain()) {
            BoxCapture boxes;
            const int result = Offer(flow, row.rowText);
            const std::vector<CapturedBox> shown = boxes.Take();
            if (flow.rows != row.flow) {
                EXPECT_EQ(result, 0) << flow.group;
                EXPECT_TRUE(shown.empty()) << flow.group;
                continue;
            }
            EXPECT_EQ(result, 1) << flow.group;
            ASSERT_EQ(shown.size(), 1u) << flow.group;
            EXPECT_EQ(shown[0].text, row.message);
            EXPECT_EQ(shown[0].caption, caption);
        }
    }
}

TEST(ItemFlows, RecogniseTrailingAndLeadingWhiteSpace) {
    for (const char* text :
         {"VEGA|结构内力，配筋计算", "VEGA|结构内力，配筋计算\t\t", "  VEGA|结构内力，配筋计算",
          "\tVEGA|结构内力，配筋计算 \r\n", "框架|VEGA、LYRA或ORION计算  "}) {
        BoxCapture boxes;
        EXPECT_EQ(RunItemFlows(text), 1) << text;
        EXPECT_EQ(boxes.Take().size(), 1u) << text;
    }
}

TEST(ItemFlows, UnknownRowsAreTakenByNoFlowAndChangeNothing) {
    ProjectDir project;
    const std::vector<std::string> workFiles = {"Autorunfile.tmp", "CFG1.TMP",  "CFG2.BLK",
                                                "REDRAW.tmp",      "XT1.tmp",   "XT2.BLK",
                                                "$wat1.tub",       "return.tmp"};
    for (const std::string& name : workFiles) project.Write(name, "23");
    const std::vector<std::string> before = project.Entries();

    for (const char* text : kUnknownRows) {
        SCOPED_TRACE(text);
        BoxCapture boxes;
        for (const ItemFlow& flow : FlowChain()) EXPECT_EQ(Offer(flow, text), 0) << flow.group;
        EXPECT_EQ(RunItemFlows(text), 0);
        EXPECT_TRUE(boxes.Take().empty());
    }
    EXPECT_EQ(project.Entries(), before);
}

}  // namespace
