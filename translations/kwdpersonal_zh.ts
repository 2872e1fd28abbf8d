<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <translation>价格范围无效</translation>
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
        <translation>类型：　　</translation>
    </message>
    <message>
        <source>总价：&#x3000;&#x3000;</source>
        <translation>总价：　　</translation>
    </message>
    <message>
        <source>(万元)</source>
        <translation>(万元)</translation>
    </message>
    <message>
        <source>面积：&#x3000;&#x3000;</source>
        <translation>面积：　　</translation>
    </message>
    <message>
        <source>(平米)</source>
        <translation>(平米)</translation>
    </message>
    <message>
        <source>户型：&#x3000;&#x3000;</source>
        <translation>户型：　　</translation>
    </message>
    <message>
        <source>来源：&#x3000;&#x3000;</source>
        <translation>来源：　　</translation>
    </message>
    <message>
        <source>区域：&#x3000;&#x3000;</source>
        <translation>区域：　　</translation>
    </message>
    <message>
        <source>key word</source>
        <translation>关键字</translation>
    </message>
    <message>
        <source>关键字：&#x3000;</source>
        <translation>关键字：　</translation>
    </message>
    <message>
        <source>推荐时间：</source>
        <translation>推荐时间：</translation>
    </message>
    <message>
        <source>&#x3000;定制&#x3000;</source>
        <translation>　定制　</translation>
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
        <translation>价格范围无效</translation>
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
        <translation>　　查看　　</translation>
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
    <name>qvmGItemImageList</name>
    <message>
        <source>Please Wait...</source>
        <translation>图片加载中…</translation>
    </message>
    <message>
        <source>Picture failed to load</source>
        <translation>图片加载失败</translation>
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
        <source>Publishing a listing comes soon.</source>
        <translation>发布房源功能即将推出。</translation>
    </message>
    <message>
        <source>Release House</source>
        <translation>发布房源</translation>
    </message>
    <message>
        <source>Publisher login comes soon.</source>
        <translation>发布者登录功能即将推出。</translation>
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
