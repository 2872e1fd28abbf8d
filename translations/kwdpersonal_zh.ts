<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddContact</name>
    <message>
        <source>Phone:</source>
        <translation>电话：</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>姓名：</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Name and Phone Can&apos;t be empty</source>
        <translation>姓名和电话不能为空</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No Valid manager</source>
        <translation>无法打开通讯录</translation>
    </message>
    <message>
        <source>Failed to save contact!
(error code %1)</source>
        <translation>保存联系人失败！
（错误代码 %1）</translation>
    </message>
    <message>
        <source>Add Contact</source>
        <translation>存为联系人</translation>
    </message>
    <message>
        <source>%1 is saved. Open the card in the address book?</source>
        <translation>已保存 %1。要在通讯录中打开这张名片吗？</translation>
    </message>
    <message>
        <source>The card could not be opened.</source>
        <translation>无法打开这张名片。</translation>
    </message>
</context>
<context>
    <name>ChooseArea</name>
    <message>
        <source>Form</source>
        <translation>选择区域</translation>
    </message>
    <message>
        <source>省&#x3000;份：</source>
        <translation>省&#x3000;份：</translation>
    </message>
    <message>
        <source>城&#x3000;市：</source>
        <translation>城&#x3000;市：</translation>
    </message>
    <message>
        <source>二手房</source>
        <translation>二手房</translation>
    </message>
    <message>
        <source>租房</source>
        <translation>租房</translation>
    </message>
    <message>
        <source>楼盘小区</source>
        <translation>楼盘小区</translation>
    </message>
    <message>
        <source>房源推送</source>
        <translation>房源推送</translation>
    </message>
</context>
<context>
    <name>CloseHint</name>
    <message>
        <source>close set</source>
        <translation>关闭设置</translation>
    </message>
    <message>
        <source>您点击了关闭按钮，您是想：</source>
        <translation>您点击了关闭按钮，您是想：</translation>
    </message>
    <message>
        <source>最小化到系统托盘区，不退出程序</source>
        <translation>最小化到系统托盘区，不退出程序</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>不再提醒</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>最小化窗口，不退出程序</source>
        <translation>最小化窗口，不退出程序</translation>
    </message>
</context>
<context>
    <name>ConditionView</name>
    <message>
        <source>XiaoQu</source>
        <translation>小区</translation>
    </message>
    <message>
        <source>Shang Ye</source>
        <translation>商业</translation>
    </message>
    <message>
        <source>Yi Liao</source>
        <translation>医疗</translation>
    </message>
    <message>
        <source>Jiao Yu</source>
        <translation>教育</translation>
    </message>
    <message>
        <source>Bin Guan</source>
        <translation>宾馆</translation>
    </message>
    <message>
        <source>Can Yin Yu Le</source>
        <translation>餐饮娱乐</translation>
    </message>
    <message>
        <source>Gong Gong Chang Suo</source>
        <translation>公共场所</translation>
    </message>
    <message>
        <source>Zhan Chang Ma Tou</source>
        <translation>站场码头</translation>
    </message>
    <message>
        <source>Fu Wu</source>
        <translation>服务</translation>
    </message>
    <message>
        <source>Di Ming</source>
        <translation>地名</translation>
    </message>
    <message>
        <source>Qi Ta</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Zhu Zhai</source>
        <translation>住宅</translation>
    </message>
    <message>
        <source>Shang Pu</source>
        <translation>商铺</translation>
    </message>
    <message>
        <source>Xie Zi Lou</source>
        <translation>写字楼</translation>
    </message>
    <message>
        <source>1 shi</source>
        <translation>一室</translation>
    </message>
    <message>
        <source>2 shi</source>
        <translation>两室</translation>
    </message>
    <message>
        <source>3 shi</source>
        <translation>三室</translation>
    </message>
    <message>
        <source>3 shi +</source>
        <translation>三室以上</translation>
    </message>
    <message>
        <source>bie shu</source>
        <translation>别墅</translation>
    </message>
    <message>
        <source>Personal</source>
        <translation>个人</translation>
    </message>
    <message>
        <source>Intermediary</source>
        <translation>中介</translation>
    </message>
    <message>
        <source>Developer</source>
        <translation>开发商</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认排序</translation>
    </message>
    <message>
        <source>Pin Jun Shou Jia(up)</source>
        <translation>均价从低到高</translation>
    </message>
    <message>
        <source>Pin Jun Shou Jia(down)</source>
        <translation>均价从高到低</translation>
    </message>
    <message>
        <source>Default(Update time)</source>
        <translation>默认(更新时间)</translation>
    </message>
    <message>
        <source>Mian Ji(down)</source>
        <translation>面积从大到小</translation>
    </message>
    <message>
        <source>Mian Ji(up)</source>
        <translation>面积从小到大</translation>
    </message>
    <message>
        <source>Dan Jia(down)</source>
        <translation>单价从高到低</translation>
    </message>
    <message>
        <source>Dan Jia(up)</source>
        <translation>单价从低到高</translation>
    </message>
    <message>
        <source>Zong Jia(down)</source>
        <translation>总价从高到低</translation>
    </message>
    <message>
        <source>Zong Jia(up)</source>
        <translation>总价从低到高</translation>
    </message>
    <message>
        <source>Fa bu shi jian</source>
        <translation>发布时间</translation>
    </message>
    <message>
        <source>UnSpecified</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>lou</source>
        <translation>楼</translation>
    </message>
    <message>
        <source>lou +</source>
        <translation>楼以上</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>总&#x3000;价：</translation>
    </message>
    <message>
        <source>(wan yuan)</source>
        <translation>(万元)</translation>
    </message>
    <message>
        <source>Price:</source>
        <translation>价&#x3000;格：</translation>
    </message>
    <message>
        <source>(yuan/yue)</source>
        <translation>(元/月)</translation>
    </message>
    <message>
        <source>yuan/m2</source>
        <translation>元/㎡</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Not a valid Price</source>
        <translation>价格范围无效：请填写整数，下限不能高于上限</translation>
    </message>
    <message>
        <source>Input a Ha Name please</source>
        <translation>请输入小区名称</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Failed to get ha list</source>
        <translation>获取小区列表失败</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No relate HA Found</source>
        <translation>没有找到相关小区</translation>
    </message>
    <message>
        <source>Not a valid Area</source>
        <translation>面积范围无效：请填写整数，下限不能高于上限</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>KWDPersonal</source>
        <translation>城市看房</translation>
    </message>
    <message>
        <source>XinXiCHAXun</source>
        <translation>信息查询</translation>
    </message>
    <message>
        <source>GPSGuide</source>
        <translation>周边搜索</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>SystemMenu</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>查看推送(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>推送设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>show source</source>
        <translation>房源推送</translation>
    </message>
    <message>
        <source>kwd</source>
        <translation>城市看房</translation>
    </message>
    <message>
        <source>Failed to check bonus,try later...</source>
        <translation>查询抽奖结果失败，请稍后再试……</translation>
    </message>
    <message>
        <source>Failed to check bonus status,try later...</source>
        <translation>查询使用次数失败，请稍后再试……</translation>
    </message>
    <message>
        <source>Updates come with the system&apos;s package manager</source>
        <translation>新版本由系统的软件包管理器提供</translation>
    </message>
    <message>
        <source>Checking Update...</source>
        <translation>正在检查新版本……</translation>
    </message>
    <message>
        <source>Check update failed</source>
        <translation>检查新版本失败</translation>
    </message>
    <message>
        <source>Found new version: </source>
        <translation>发现新版本：</translation>
    </message>
    <message>
        <source>Update Time: </source>
        <translation>发布时间：</translation>
    </message>
    <message>
        <source>Update Now?</source>
        <translation>现在更新吗？</translation>
    </message>
    <message>
        <source>You have latest app</source>
        <translation>您使用的已是最新版本</translation>
    </message>
    <message>
        <source>%1 (Ctrl+%2)</source>
        <translation>%1 (Ctrl+%2)</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>MakePhoneCall</name>
    <message>
        <source>Hangup</source>
        <translation>挂断</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>拨打</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Are you sure ? Calling: </source>
        <translation>确定拨打吗？号码：</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No program on this computer can place calls. The number %1 is on the clipboard: dial it on your phone.</source>
        <translation>这台电脑上没有可以拨打电话的程序。号码 %1 已复制到剪贴板，请用手机拨打。</translation>
    </message>
    <message>
        <source>查找拨号程序时在 %1 秒内没有响应。号码 %2 已复制到剪贴板，请用手机拨打。</source>
        <translation>查找拨号程序时在 %1 秒内没有响应。号码 %2 已复制到剪贴板，请用手机拨打。</translation>
    </message>
</context>
<context>
    <name>SendSMS</name>
    <message>
        <source>Send To:</source>
        <translation>发送给：</translation>
    </message>
    <message>
        <source>Select A Contact</source>
        <translation>选择联系人</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Fetcing...</source>
        <translation>正在读取...</translation>
    </message>
    <message>
        <source>Select a contact</source>
        <translation>请选择联系人</translation>
    </message>
    <message>
        <source>%1Words</source>
        <translation>%1字</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Unable to send message</source>
        <translation>无法发送短信</translation>
    </message>
    <message>
        <source>failed to send sms</source>
        <translation>短信发送失败</translation>
    </message>
    <message>
        <source>The number and the message are on the clipboard.</source>
        <translation>号码和短信内容已复制到剪贴板。</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>发送短信的程序在 %1 秒内没有响应，短信可能没有发出。号码和短信内容已复制到剪贴板。</source>
        <translation>发送短信的程序在 %1 秒内没有响应，短信可能没有发出。号码和短信内容已复制到剪贴板。</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>GoBack</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>SetCondition</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Clear the conditions</source>
        <translation>清除筛选条件</translation>
    </message>
    <message>
        <source>Filter·%1</source>
        <translation>筛选·%1</translation>
    </message>
    <message>
        <source>清除条件</source>
        <translation>清除条件</translation>
    </message>
    <message>
        <source>返回 (Esc)</source>
        <translation>返回 (Esc)</translation>
    </message>
    <message>
        <source>筛选条件 (Ctrl+F)</source>
        <translation>筛选条件 (Ctrl+F)</translation>
    </message>
    <message>
        <source>取消收藏</source>
        <translation>取消收藏</translation>
    </message>
    <message>
        <source>收藏</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>取消收藏 (Ctrl+D)</source>
        <translation>取消收藏 (Ctrl+D)</translation>
    </message>
    <message>
        <source>收藏 (Ctrl+D)</source>
        <translation>收藏 (Ctrl+D)</translation>
    </message>
</context>
<context>
    <name>international</name>
    <message>
        <source>(tu)</source>
        <translation>(图)</translation>
    </message>
    <message>
        <source>Phone: </source>
        <translation>电话：</translation>
    </message>
    <message>
        <source>Click To Contact Me</source>
        <translation>点击联系我</translation>
    </message>
    <message>
        <source>address</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Service Area</source>
        <translation>服务区域</translation>
    </message>
    <message>
        <source>phone:</source>
        <translation>电话：</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>简介</translation>
    </message>
    <message>
        <source>Average Sale price</source>
        <translation>平均售价：</translation>
    </message>
    <message>
        <source>yuan/m2</source>
        <translation>元/㎡</translation>
    </message>
    <message>
        <source>Average Lease price</source>
        <translation>平均租金：</translation>
    </message>
    <message>
        <source>yuan/yue/m2</source>
        <translation>元/㎡·月</translation>
    </message>
    <message>
        <source>Relate HA</source>
        <translation>相关小区</translation>
    </message>
    <message>
        <source>Kua yue qu yu:</source>
        <translation>跨越区域：</translation>
    </message>
    <message>
        <source>qi dian:</source>
        <translation>起&#x3000;&#x3000;点：</translation>
    </message>
    <message>
        <source>zhong dian:</source>
        <translation>终&#x3000;&#x3000;点：</translation>
    </message>
    <message>
        <source>jie dao kuan du:</source>
        <translation>道路宽度：</translation>
    </message>
    <message>
        <source>jie dao chang du:</source>
        <translation>道路长度：</translation>
    </message>
    <message>
        <source>geng xin shi dian:</source>
        <translation>更新时间：</translation>
    </message>
    <message>
        <source>m</source>
        <translation>米</translation>
    </message>
    <message>
        <source>relate ha</source>
        <translation>相关小区</translation>
    </message>
    <message>
        <source>detail</source>
        <translation>简介</translation>
    </message>
    <message>
        <source>secs</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>before</source>
        <translation>前</translation>
    </message>
    <message>
        <source>mins</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>小时</translation>
    </message>
    <message>
        <source>days</source>
        <translation>天</translation>
    </message>
    <message>
        <source> %1 yuan/yue</source>
        <translation> %1元/月</translation>
    </message>
    <message>
        <source> %1 m2</source>
        <translation> %1㎡</translation>
    </message>
    <message>
        <source>Jia ge qu shi:</source>
        <translation>价格趋势：</translation>
    </message>
    <message>
        <source>yuan/yue</source>
        <translation>元/月</translation>
    </message>
    <message>
        <source>HA Space Holder</source>
        <translation>&#x3000;&#x3000;&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>m2</source>
        <translation>㎡</translation>
    </message>
    <message>
        <source>lou</source>
        <translation>楼</translation>
    </message>
    <message>
        <source>id: </source>
        <translation>编号：</translation>
    </message>
    <message>
        <source>PageView:</source>
        <translation>浏览：</translation>
    </message>
    <message>
        <source>Zu Jin:</source>
        <translation>租金：</translation>
    </message>
    <message>
        <source>Mian Ji:</source>
        <translation>面积：</translation>
    </message>
    <message>
        <source>Dan Jia:</source>
        <translation>单价：</translation>
    </message>
    <message>
        <source>yuan/m2/yue</source>
        <translation>元/㎡·月</translation>
    </message>
    <message>
        <source>HaName:</source>
        <translation>小区：</translation>
    </message>
    <message>
        <source>District:</source>
        <translation>区域：</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Floor:</source>
        <translation>楼层：</translation>
    </message>
    <message>
        <source>Publish Time:</source>
        <translation>发布时间：</translation>
    </message>
    <message>
        <source>Pin Jue Fang Jia:</source>
        <translation>平均房价：</translation>
    </message>
    <message>
        <source>Fang Jia:</source>
        <translation>房价：</translation>
    </message>
    <message>
        <source>Zu Jia:</source>
        <translation>租金：</translation>
    </message>
    <message>
        <source>Pin Jun Fang Jia:</source>
        <translation>平均房价：</translation>
    </message>
    <message>
        <source>Fang Jia Qu Shi:</source>
        <translation>房价趋势：</translation>
    </message>
    <message>
        <source>Pin Jun Zu Jin:</source>
        <translation>平均租金：</translation>
    </message>
    <message>
        <source>Zu Jin qu shi:</source>
        <translation>租金趋势：</translation>
    </message>
    <message>
        <source>Search more Sale</source>
        <translation>本小区二手房</translation>
    </message>
    <message>
        <source>Search more Lease</source>
        <translation>本小区租房</translation>
    </message>
    <message>
        <source>4 han zi space</source>
        <translation>&#x3000;&#x3000;&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source> %1 wanyuan</source>
        <translation> %1万元</translation>
    </message>
    <message>
        <source>wanyuan</source>
        <translation>万元</translation>
    </message>
    <message>
        <source>Zong jia:</source>
        <translation>总价：</translation>
    </message>
    <message>
        <source>(%1)Tao</source>
        <translation>(%1套)</translation>
    </message>
    <message>
        <source>tui song sale</source>
        <translation>推送二手房</translation>
    </message>
    <message>
        <source>tui song lease</source>
        <translation>推送租房</translation>
    </message>
</context>
<context>
    <name>kwdCheckBonus</name>
    <message>
        <source>Querying...</source>
        <translation>正在查询……</translation>
    </message>
    <message>
        <source>Congratulation!!!</source>
        <translation>恭喜您中奖了！</translation>
    </message>
    <message>
        <source>You Got:</source>
        <translation>您获得了：</translation>
    </message>
    <message>
        <source>Your bonusid:</source>
        <translation>您的中奖编号：</translation>
    </message>
    <message>
        <source>Contact us: %1</source>
        <translation>领奖咨询%1</translation>
    </message>
    <message>
        <source>Check Your Prize</source>
        <translation>查看奖品</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Your day time:%1</source>
        <translation>今日使用次数：%1</translation>
    </message>
    <message>
        <source>week time: %1</source>
        <translation>本周使用次数：%1</translation>
    </message>
    <message>
        <source>Code:%1</source>
        <translation>抽奖编号：%1</translation>
    </message>
    <message>
        <source>Count maybe delayed</source>
        <translation>统计次数可能略有延迟</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>View Detail</source>
        <translation>查看详情</translation>
    </message>
</context>
<context>
    <name>kwdChooseHA</name>
    <message>
        <source>Form</source>
        <translation>选择小区</translation>
    </message>
    <message>
        <source>请选择您要查询的小区</source>
        <translation>请选择您要查询的小区</translation>
    </message>
    <message>
        <source>取 消</source>
        <translation>取 消</translation>
    </message>
</context>
<context>
    <name>kwdDesktopNotifier</name>
    <message>
        <source>Look</source>
        <translation>查看</translation>
    </message>
</context>
<context>
    <name>kwdListing</name>
    <message>
        <source>please house source</source>
        <translation>请填写标题</translation>
    </message>
    <message>
        <source>please lifearea</source>
        <translation>请填写小区名</translation>
    </message>
    <message>
        <source>please road</source>
        <translation>请填写道路</translation>
    </message>
    <message>
        <source>please door</source>
        <translation>请填写门牌号</translation>
    </message>
    <message>
        <source>is not number</source>
        <translation>请填写数字</translation>
    </message>
    <message>
        <source>house source</source>
        <translation>标题须为5至20个字，只能含文字和数字，且不能有连续7位以上的数字</translation>
    </message>
    <message>
        <source>please district</source>
        <translation>请选择行政区</translation>
    </message>
</context>
<context>
    <name>kwdLoadPhoto</name>
    <message>
        <source>本地浏览</source>
        <translation>本地浏览</translation>
    </message>
    <message>
        <source>现场拍摄</source>
        <translation>现场拍摄</translation>
    </message>
    <message>
        <source>This build has no camera support</source>
        <translation>此版本不支持摄像头拍摄</translation>
    </message>
</context>
<context>
    <name>kwdNetworkError</name>
    <message>
        <source>The service refused the connection; please try again later.</source>
        <translation>服务拒绝了连接，请稍后再试。</translation>
    </message>
    <message>
        <source>The service cannot be found; please check the network connection.</source>
        <translation>找不到服务，请检查网络连接。</translation>
    </message>
    <message>
        <source>The service did not answer in time; please try again later.</source>
        <translation>服务响应超时，请稍后再试。</translation>
    </message>
    <message>
        <source>The reply was cut short; please try again.</source>
        <translation>数据接收不完整，请重试。</translation>
    </message>
    <message>
        <source>The service had an error; please try again later.</source>
        <translation>服务出错，请稍后再试。</translation>
    </message>
    <message>
        <source>The service does not have what was asked for.</source>
        <translation>服务上没有所请求的内容。</translation>
    </message>
    <message>
        <source>The network is not available; please check the connection.</source>
        <translation>网络不可用，请检查网络连接。</translation>
    </message>
    <message>
        <source>The request failed.</source>
        <translation>请求失败。</translation>
    </message>
    <message>
        <source>The reply was too large to be read; please try again later.</source>
        <translation>回复内容过大，无法读取；请稍后再试。</translation>
    </message>
    <message>
        <source>The reply could not be read; please try again later.</source>
        <translation>回复内容无法读取；请稍后再试。</translation>
    </message>
</context>
<context>
    <name>kwdNewHouseCondition</name>
    <message>
        <source>Sale</source>
        <translation>二手房</translation>
    </message>
    <message>
        <source>Lease</source>
        <translation>租房</translation>
    </message>
    <message>
        <source>类型：&#x3000;&#x3000;</source>
        <translation>类型：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>总价：&#x3000;&#x3000;</source>
        <translation>总价：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>(万元)</source>
        <translation>(万元)</translation>
    </message>
    <message>
        <source>面积：&#x3000;&#x3000;</source>
        <translation>面积：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>(平米)</source>
        <translation>(平米)</translation>
    </message>
    <message>
        <source>户型：&#x3000;&#x3000;</source>
        <translation>户型：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>来源：&#x3000;&#x3000;</source>
        <translation>来源：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>区域：&#x3000;&#x3000;</source>
        <translation>区域：&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>key word</source>
        <translation>关键字</translation>
    </message>
    <message>
        <source>关键字：&#x3000;</source>
        <translation>关键字：&#x3000;</translation>
    </message>
    <message>
        <source>推荐时间：</source>
        <translation>推荐时间：</translation>
    </message>
    <message>
        <source>&#x3000;定制&#x3000;</source>
        <translation>&#x3000;定制&#x3000;</translation>
    </message>
    <message>
        <source>取消定制</source>
        <translation>取消定制</translation>
    </message>
    <message>
        <source>select</source>
        <translation>请选择</translation>
    </message>
    <message>
        <source>buxian</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>room</source>
        <translation>住宅</translation>
    </message>
    <message>
        <source>hall</source>
        <translation>写字楼</translation>
    </message>
    <message>
        <source>shop</source>
        <translation>商铺</translation>
    </message>
    <message>
        <source>1 shi</source>
        <translation>一室</translation>
    </message>
    <message>
        <source>2 shi</source>
        <translation>两室</translation>
    </message>
    <message>
        <source>3 shi</source>
        <translation>三室</translation>
    </message>
    <message>
        <source>3 shi +</source>
        <translation>三室以上</translation>
    </message>
    <message>
        <source>bie shu</source>
        <translation>别墅</translation>
    </message>
    <message>
        <source>UnSpecified</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>Personal</source>
        <translation>个人</translation>
    </message>
    <message>
        <source>Intermediary</source>
        <translation>中介</translation>
    </message>
    <message>
        <source>Developer</source>
        <translation>开发商</translation>
    </message>
    <message>
        <source>5fen</source>
        <translation>5分钟</translation>
    </message>
    <message>
        <source>10fen</source>
        <translation>10分钟</translation>
    </message>
    <message>
        <source>30fen</source>
        <translation>30分钟</translation>
    </message>
    <message>
        <source>dan jia:</source>
        <translation>单价：</translation>
    </message>
    <message>
        <source>yuan</source>
        <translation>(元)</translation>
    </message>
    <message>
        <source>zong jia:</source>
        <translation>总价：</translation>
    </message>
    <message>
        <source>wanyuan</source>
        <translation>(万元)</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Not all are empty</source>
        <translation>请至少设置一个条件</translation>
    </message>
    <message>
        <source>Not a valid Price</source>
        <translation>价格范围无效：请填写整数，下限不能高于上限</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>ding zhi ok</source>
        <translation>定制成功，有新房源时将提醒您</translation>
    </message>
    <message>
        <source>qu xiao ding zhi ok</source>
        <translation>已取消定制</translation>
    </message>
    <message>
        <source>Not a valid Area</source>
        <translation>面积范围无效：请填写整数，下限不能高于上限</translation>
    </message>
</context>
<context>
    <name>kwdNewHouses</name>
    <message>
        <source>最新房源提醒：</source>
        <translation>最新房源提醒：</translation>
    </message>
    <message>
        <source>%1new house</source>
        <translation>%1 套新房源</translation>
    </message>
    <message>
        <source>尊敬的用户：</source>
        <translation>尊敬的用户：</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;查看&#x3000;&#x3000;</source>
        <translation>&#x3000;&#x3000;查看&#x3000;&#x3000;</translation>
    </message>
</context>
<context>
    <name>kwdPhotoUpload</name>
    <message>
        <source>The file is not a picture that can be read.</source>
        <translation>该文件不是可以读取的图片。</translation>
    </message>
    <message>
        <source>The picture cannot be encoded as JPEG.</source>
        <translation>无法将图片转换为 JPEG。</translation>
    </message>
</context>
<context>
    <name>kwdReleaseHouse</name>
    <message>
        <source>Sale</source>
        <translation>出售</translation>
    </message>
    <message>
        <source>Lease</source>
        <translation>出租</translation>
    </message>
    <message>
        <source>行政区：</source>
        <translation>行政区：</translation>
    </message>
    <message>
        <source>标题&#x3000;：</source>
        <translation>标题&#x3000;：</translation>
    </message>
    <message>
        <source>house source</source>
        <translation>标题（5至20字）</translation>
    </message>
    <message>
        <source>小区名：</source>
        <translation>小区名：</translation>
    </message>
    <message>
        <source>lifearea</source>
        <translation>小区名称</translation>
    </message>
    <message>
        <source>类型&#x3000;：</source>
        <translation>类型&#x3000;：</translation>
    </message>
    <message>
        <source>面积&#x3000;：</source>
        <translation>面积&#x3000;：</translation>
    </message>
    <message>
        <source>楼层&#x3000;：</source>
        <translation>楼层&#x3000;：</translation>
    </message>
    <message>
        <source>朝向&#x3000;：</source>
        <translation>朝向&#x3000;：</translation>
    </message>
    <message>
        <source>联系人：</source>
        <translation>联系人：</translation>
    </message>
    <message>
        <source>电话&#x3000;：</source>
        <translation>电话&#x3000;：</translation>
    </message>
    <message>
        <source>照片&#x3000;：</source>
        <translation>照片&#x3000;：</translation>
    </message>
    <message>
        <source>上传图片</source>
        <translation>上传图片</translation>
    </message>
    <message>
        <source>描述&#x3000;：</source>
        <translation>描述&#x3000;：</translation>
    </message>
    <message>
        <source>地址&#x3000;：</source>
        <translation>地址&#x3000;：</translation>
    </message>
    <message>
        <source>road</source>
        <translation>道路</translation>
    </message>
    <message>
        <source>door</source>
        <translation>门牌号</translation>
    </message>
    <message>
        <source>售价&#x3000;：</source>
        <translation>售价&#x3000;：</translation>
    </message>
    <message>
        <source>户型&#x3000;：</source>
        <translation>户型&#x3000;：</translation>
    </message>
    <message>
        <source>bedrooms</source>
        <translation>室</translation>
    </message>
    <message>
        <source>living rooms</source>
        <translation>厅</translation>
    </message>
    <message>
        <source>bathrooms</source>
        <translation>卫</translation>
    </message>
    <message>
        <source>租赁&#x3000;：</source>
        <translation>租赁&#x3000;：</translation>
    </message>
    <message>
        <source>whole</source>
        <translation>整租</translation>
    </message>
    <message>
        <source>shared</source>
        <translation>合租</translation>
    </message>
    <message>
        <source>sublet</source>
        <translation>转租</translation>
    </message>
    <message>
        <source>release</source>
        <translation>发布</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>yuan/yue</source>
        <translation>元/月</translation>
    </message>
    <message>
        <source>wanyuan/nian</source>
        <translation>万元/年</translation>
    </message>
    <message>
        <source>yuan/tian/m2</source>
        <translation>元/天/平米</translation>
    </message>
    <message>
        <source>wan</source>
        <translation>万元</translation>
    </message>
    <message>
        <source>select</source>
        <translation>请选择</translation>
    </message>
    <message>
        <source>room</source>
        <translation>住宅</translation>
    </message>
    <message>
        <source>hall</source>
        <translation>写字楼</translation>
    </message>
    <message>
        <source>shop</source>
        <translation>商铺</translation>
    </message>
    <message>
        <source>south</source>
        <translation>南</translation>
    </message>
    <message>
        <source>southnorth</source>
        <translation>南北</translation>
    </message>
    <message>
        <source>east</source>
        <translation>东</translation>
    </message>
    <message>
        <source>west</source>
        <translation>西</translation>
    </message>
    <message>
        <source>north</source>
        <translation>北</translation>
    </message>
    <message>
        <source>eastsouth</source>
        <translation>东南</translation>
    </message>
    <message>
        <source>eastnorth</source>
        <translation>东北</translation>
    </message>
    <message>
        <source>westsouth</source>
        <translation>西南</translation>
    </message>
    <message>
        <source>westnorth</source>
        <translation>西北</translation>
    </message>
    <message>
        <source>eastwest</source>
        <translation>东西</translation>
    </message>
    <message>
        <source>leaseprice</source>
        <translation>租金&#x3000;：</translation>
    </message>
    <message>
        <source>saleprice</source>
        <translation>售价&#x3000;：</translation>
    </message>
    <message>
        <source>describe</source>
        <translation>请填写房源描述</translation>
    </message>
    <message>
        <source>user release</source>
        <translation>发布房源</translation>
    </message>
    <message>
        <source>release...</source>
        <translation>正在发布...</translation>
    </message>
    <message>
        <source>uid or pwd is error</source>
        <translation>用户名或密码错误</translation>
    </message>
    <message>
        <source>release succeed</source>
        <translation>发布成功</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>UnSpecified</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>open Photo</source>
        <translation>选择照片</translation>
    </message>
    <message>
        <source>Photo File (*.jpg)</source>
        <translation>照片文件 (*.jpg)</translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2.</source>
        <translation>无法读取文件 %1：
%2。</translation>
    </message>
    <message>
        <source>The district list is fetched again; choose from it when it opens.</source>
        <translation>正在重新获取行政区列表，列表打开后请从中选择。</translation>
    </message>
    <message>
        <source>The new photo was added to the listing posted before.</source>
        <translation>新照片已添加到刚才发布的房源。</translation>
    </message>
</context>
<context>
    <name>kwdReleaseLoad</name>
    <message>
        <source>xinxineirong</source>
        <translation>请使用您在房产网注册的发布者账号登录，登录后即可发布出售或出租房源。</translation>
    </message>
    <message>
        <source>username:</source>
        <translation>用户名：</translation>
    </message>
    <message>
        <source>userpassword:</source>
        <translation>密&#x3000;码：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>logining...</source>
        <translation>正在登录...</translation>
    </message>
    <message>
        <source>User Login</source>
        <translation>用户登录</translation>
    </message>
</context>
<context>
    <name>kwdShowScroll</name>
    <message>
        <source>Tap here to try again</source>
        <translation>点击此处重试</translation>
    </message>
</context>
<context>
    <name>kwdShowWait</name>
    <message>
        <source>Downloading,Please wait</source>
        <translation>正在加载，请稍候…</translation>
    </message>
</context>
<context>
    <name>kwdSplash</name>
    <message>
        <source>Initializing...</source>
        <translation>正在初始化…</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>城市看房&#x3000;版权所有</translation>
    </message>
</context>
<context>
    <name>kwdUpdateHandler</name>
    <message>
        <source>Cancel Update</source>
        <translation>暂不更新</translation>
    </message>
    <message>
        <source>Update Now</source>
        <translation>立即更新</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>kwdWebLink</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>This address is not a web page and was not opened:
%1</source>
        <translation>该地址不是网页地址，已拒绝打开：
%1</translation>
    </message>
</context>
<context>
    <name>kwdWidgetArea</name>
    <message>
        <source>查看新房源</source>
        <translation>查看新房源</translation>
    </message>
</context>
<context>
    <name>qvmDetailAction</name>
    <message>
        <source>Select a Number:</source>
        <translation>请选择号码：</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>拨打</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>短信</translation>
    </message>
    <message>
        <source>SMS To</source>
        <translation>转发给朋友</translation>
    </message>
    <message>
        <source>Add Contact</source>
        <translation>存为联系人</translation>
    </message>
    <message>
        <source>I&apos;m intresting in %1,call me</source>
        <translation>我对%1很感兴趣，请给我回电话</translation>
    </message>
    <message>
        <source>I find this %1</source>
        <translation>我发现了这个房源：%1</translation>
    </message>
    <message>
        <source>contact:</source>
        <translation>联系人：</translation>
    </message>
    <message>
        <source>phone:</source>
        <translation>电话：</translation>
    </message>
</context>
<context>
    <name>qvmGItemImageList</name>
    <message>
        <source>Please Wait...</source>
        <translation>图片加载中…</translation>
    </message>
    <message>
        <source>Picture failed to load</source>
        <translation>图片加载失败</translation>
    </message>
    <message>
        <source>图片 %1/%2</source>
        <translation>图片 %1/%2</translation>
    </message>
    <message>
        <source>放大显示，左右键换图，Esc 返回</source>
        <translation>放大显示，左右键换图，Esc 返回</translation>
    </message>
</context>
<context>
    <name>qvmHttpHolder</name>
    <message>
        <source>larger than %1 MB</source>
        <translation>超过 %1 MB</translation>
    </message>
    <message>
        <source>no data for %1 s</source>
        <translation>%1 秒内未收到数据</translation>
    </message>
</context>
<context>
    <name>qvmResultDetailItem</name>
    <message>
        <source>查看图片</source>
        <translation>查看图片</translation>
    </message>
    <message>
        <source>联系 %1</source>
        <translation>联系 %1</translation>
    </message>
</context>
<context>
    <name>qvmResultListItem</name>
    <message>
        <source>%1，加载失败</source>
        <translation>%1，加载失败</translation>
    </message>
    <message>
        <source>%1，正在加载</source>
        <translation>%1，正在加载</translation>
    </message>
    <message>
        <source>%1，共 %2 套</source>
        <translation>%1，共 %2 套</translation>
    </message>
    <message>
        <source>%1，共 %2 个</source>
        <translation>%1，共 %2 个</translation>
    </message>
    <message>
        <source>%1，共 %2 套，已列出 %3 套</source>
        <translation>%1，共 %2 套，已列出 %3 套</translation>
    </message>
    <message>
        <source>%1，共 %2 个，已列出 %3 个</source>
        <translation>%1，共 %2 个，已列出 %3 个</translation>
    </message>
</context>
<context>
    <name>qvmResultView</name>
    <message>
        <source>No more data fetched...</source>
        <translation>没有更多数据了</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>正在加载…</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>结果</translation>
    </message>
</context>
<context>
    <name>qvmSetConditionClass</name>
    <message>
        <source>Use Area</source>
        <translation>按区域</translation>
    </message>
    <message>
        <source>Use HAName</source>
        <translation>按小区</translation>
    </message>
    <message>
        <source>行政区：</source>
        <translation>行政区：</translation>
    </message>
    <message>
        <source>小&#x3000;区：</source>
        <translation>小&#x3000;区：</translation>
    </message>
    <message>
        <source>只查本小区</source>
        <translation>只查本小区</translation>
    </message>
    <message>
        <source>范&#x3000;围：</source>
        <translation>范&#x3000;围：</translation>
    </message>
    <message>
        <source>1000M</source>
        <translation>1公里</translation>
    </message>
    <message>
        <source>2000M</source>
        <translation>2公里</translation>
    </message>
    <message>
        <source>5000M</source>
        <translation>5公里</translation>
    </message>
    <message>
        <source>类&#x3000;型：</source>
        <translation>类&#x3000;型：</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>面&#x3000;积：</source>
        <translation>面&#x3000;积：</translation>
    </message>
    <message>
        <source>(㎡)</source>
        <translation>(㎡)</translation>
    </message>
    <message>
        <source>户&#x3000;型：</source>
        <translation>户&#x3000;型：</translation>
    </message>
    <message>
        <source>合&#x3000;租： </source>
        <translation>合&#x3000;租： </translation>
    </message>
    <message>
        <source>只找合租</source>
        <translation>只找合租</translation>
    </message>
    <message>
        <source>楼&#x3000;层：</source>
        <translation>楼&#x3000;层：</translation>
    </message>
    <message>
        <source>来&#x3000;源：</source>
        <translation>来&#x3000;源：</translation>
    </message>
    <message>
        <source>关键字：</source>
        <translation>关键字：</translation>
    </message>
    <message>
        <source>排&#x3000;序：</source>
        <translation>排&#x3000;序：</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>搜索</translation>
    </message>
</context>
<context>
    <name>qvmSystem</name>
    <message>
        <source>global phone</source>
        <translation>电话：010-6265 8800</translation>
    </message>
    <message>
        <source>查看抽奖活动</source>
        <translation>查看抽奖活动</translation>
    </message>
    <message>
        <source>检查新版本</source>
        <translation>检查新版本</translation>
    </message>
    <message>
        <source>About KWDPersonal</source>
        <translation>关于城市看房</translation>
    </message>
    <message>
        <source>发布房源</source>
        <translation>发布房源</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>退出登录</translation>
    </message>
    <message>
        <source>退  出</source>
        <translation>退  出</translation>
    </message>
    <message>
        <source>Updates come with the system&apos;s package manager</source>
        <translation>新版本由系统的软件包管理器提供</translation>
    </message>
    <message>
        <source>KWDPersonal</source>
        <translation>城市看房</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>global company</source>
        <translation>北京诺达房产信息服务有限公司</translation>
    </message>
    <message>
        <source>global address</source>
        <translation>地址：北京市海淀区知春路 56 号中航大厦 8 层</translation>
    </message>
    <message>
        <source>global fax</source>
        <translation>传真：010-6265 8801</translation>
    </message>
    <message>
        <source>global support</source>
        <translation>技术支持：诺达软件客户服务中心</translation>
    </message>
    <message>
        <source>global support phone</source>
        <translation>支持热线：400-610-8866（工作日 9:00–18:00）</translation>
    </message>
    <message>
        <source>global website</source>
        <translation>网站：</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Release House</source>
        <translation>发布房源</translation>
    </message>
    <message>
        <source>User Login</source>
        <translation>用户登录</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>logout ok</source>
        <translation>已退出登录</translation>
    </message>
</context>
<context>
    <name>qvmWidgetAround</name>
    <message>
        <source>Your Address:</source>
        <translation>您的位置：</translation>
    </message>
    <message>
        <source>Your range:</source>
        <translation>&#x3000;搜索半径：</translation>
    </message>
    <message>
        <source>GPS Guide</source>
        <translation>房价导航</translation>
    </message>
    <message>
        <source>update imediate</source>
        <translation>立即更新</translation>
    </message>
    <message>
        <source>Set Condition</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>qvmWidgetAroundFunction</name>
    <message>
        <source>500M</source>
        <translation>500米</translation>
    </message>
    <message>
        <source>1000M</source>
        <translation>1000米</translation>
    </message>
    <message>
        <source>2000M</source>
        <translation>2000米</translation>
    </message>
    <message>
        <source>Locating...</source>
        <translation>正在定位……</translation>
    </message>
    <message>
        <source>your device doesn&apos;t support GPS,</source>
        <translation>您的设备不支持GPS定位，</translation>
    </message>
    <message>
        <source>see </source>
        <translation>请访问 </translation>
    </message>
    <message>
        <source>Searching GeoLocation...</source>
        <translation>正在查询您的地址……</translation>
    </message>
    <message>
        <source>Location failed...</source>
        <translation>定位失败……</translation>
    </message>
    <message>
        <source>Searching GeoLoation failed</source>
        <translation>地址查询失败</translation>
    </message>
    <message>
        <source>Your Address:</source>
        <translation>您的位置：</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>your city[</source>
        <translation>您所在的城市[</translation>
    </message>
    <message>
        <source>] is not support</source>
        <translation>]暂不支持</translation>
    </message>
    <message>
        <source>GPS Data is not valid</source>
        <translation>尚未取得有效的GPS定位</translation>
    </message>
    <message>
        <source>your city is not valid</source>
        <translation>无法确定您所在的城市</translation>
    </message>
</context>
<context>
    <name>qvmWidgetFavorite</name>
    <message>
        <source>Sale</source>
        <translation>二手房</translation>
    </message>
    <message>
        <source>Lease</source>
        <translation>租房</translation>
    </message>
    <message>
        <source>HA Project</source>
        <translation>楼盘小区</translation>
    </message>
    <message>
        <source>Sale Favorite</source>
        <translation>二手房收藏</translation>
    </message>
    <message>
        <source>Lease Favorite</source>
        <translation>租房收藏</translation>
    </message>
    <message>
        <source>HA Favorite</source>
        <translation>楼盘收藏</translation>
    </message>
    <message>
        <source>No favourites yet: open a listing and press the star to keep it here.</source>
        <translation>还没有收藏：打开一条房源，点标题栏的 ☆ 即可收藏到这里。</translation>
    </message>
</context>
<context>
    <name>qvmWidgetGPSGuide</name>
    <message>
        <source>yuan/yue/m2</source>
        <translation>元/月/平米</translation>
    </message>
    <message>
        <source>yuan/m2</source>
        <translation>元/平米</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>挂牌均价</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>下载中</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>Cur Point</source>
        <translation>当前位置</translation>
    </message>
    <message>
        <source>%1KM</source>
        <translation>%1公里</translation>
    </message>
    <message>
        <source>Locating...</source>
        <translation>正在定位...</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Your City Has been changed to</source>
        <translation>您所在的城市已切换为</translation>
    </message>
    <message>
        <source>Searching relate HA</source>
        <translation>正在搜索周边小区</translation>
    </message>
    <message>
        <source>relate HA</source>
        <translation>周边小区</translation>
    </message>
    <message>
        <source>No guide for this city: go back and open it again</source>
        <translation>本城市暂无导航数据，请返回后重新打开导航</translation>
    </message>
    <message>
        <source>价格走势图：均价 %1，速度 %2 公里/小时，最近 %3 个点 %4</source>
        <translation>价格走势图：均价 %1，速度 %2 公里/小时，最近 %3 个点 %4</translation>
    </message>
</context>
<context>
    <name>qvmWidgetSource</name>
    <message>
        <source>new house1</source>
        <translation>新推送房源</translation>
    </message>
    <message>
        <source>new house3</source>
        <translation>套</translation>
    </message>
    <message>
        <source>new house condition</source>
        <translation>推送条件</translation>
    </message>
    <message>
        <source>Set Condition</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Push conditions</source>
        <translation>修改推送条件</translation>
    </message>
</context>
<context>
    <name>qvmnotice</name>
    <message>
        <source>There is a new notice from the service.</source>
        <translation>有一条新的服务公告。</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>View Detail</source>
        <translation>查看详情</translation>
    </message>
</context>
</TS>
