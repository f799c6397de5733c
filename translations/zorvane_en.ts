<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Command</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>图片(&amp;I)</source>
        <translation>P&amp;icture</translation>
    </message>
    <message>
        <source>播放(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>特效(&amp;X)</source>
        <translation>Effe&amp;cts</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>平移/水平</source>
        <translation>Shift/Horizontal</translation>
    </message>
    <message>
        <source>左移</source>
        <translation>Move Left</translation>
    </message>
    <message>
        <source>右移</source>
        <translation>Move Right</translation>
    </message>
    <message>
        <source>交错</source>
        <translation>Interleave</translation>
    </message>
    <message>
        <source>平移/竖直</source>
        <translation>Shift/Vertical</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>聚合/水平</source>
        <translation>Converge/Horizontal</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>边缘</source>
        <translation>Edges</translation>
    </message>
    <message>
        <source>聚合/竖直</source>
        <translation>Converge/Vertical</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>分散/水平</source>
        <translation>Scatter/Horizontal</translation>
    </message>
    <message>
        <source>分散/竖直</source>
        <translation>Scatter/Vertical</translation>
    </message>
    <message>
        <source>收缩/水平</source>
        <translation>Shrink/Horizontal</translation>
    </message>
    <message>
        <source>收缩/竖直</source>
        <translation>Shrink/Vertical</translation>
    </message>
    <message>
        <source>伸展/水平</source>
        <translation>Stretch/Horizontal</translation>
    </message>
    <message>
        <source>伸展/竖直</source>
        <translation>Stretch/Vertical</translation>
    </message>
    <message>
        <source>侵蚀/水平</source>
        <translation>Erode/Horizontal</translation>
    </message>
    <message>
        <source>侵蚀/竖直</source>
        <translation>Erode/Vertical</translation>
    </message>
    <message>
        <source>渐变</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>渐隐</source>
        <translation>Fade out</translation>
    </message>
    <message>
        <source>渐显</source>
        <translation>Fade in</translation>
    </message>
    <message>
        <source>七彩</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>单色</source>
        <translation>One colour</translation>
    </message>
    <message>
        <source>选择工具
箭头选则</source>
        <translation>Selection tool
Arrow select</translation>
    </message>
    <message>
        <source>选择工具
区域选择</source>
        <translation>Selection tool
Region select</translation>
    </message>
    <message>
        <source>取色工具
取色</source>
        <translation>Colour picker
Pick colour</translation>
    </message>
    <message>
        <source>无操作状态
无操作状态</source>
        <translation>No tool
No tool</translation>
    </message>
    <message>
        <source>矩形区域
矩形区域(水平)</source>
        <translation>Rectangular region
Rectangular region (horizontal)</translation>
    </message>
    <message>
        <source>矩形区域
矩形区域(竖直)</source>
        <translation>Rectangular region
Rectangular region (vertical)</translation>
    </message>
    <message>
        <source>多边形区域
多边形区域(水平)</source>
        <translation>Polygon region
Polygon region (horizontal)</translation>
    </message>
    <message>
        <source>多边形区域
多边形区域(竖直)</source>
        <translation>Polygon region
Polygon region (vertical)</translation>
    </message>
    <message>
        <source>画刷工具
画刷</source>
        <translation>Brush tool
Brush</translation>
    </message>
    <message>
        <source>油漆桶工具
油漆桶</source>
        <translation>Paint bucket tool
Paint bucket</translation>
    </message>
    <message>
        <source>图片工具
图片</source>
        <translation>Picture tool
Picture</translation>
    </message>
    <message>
        <source>文字工具
文字</source>
        <translation>Text tool
Text</translation>
    </message>
    <message>
        <source>图形工具
矩形</source>
        <translation>Shape tool
Rectangle</translation>
    </message>
    <message>
        <source>图形工具
圆角矩形</source>
        <translation>Shape tool
Rounded rectangle</translation>
    </message>
    <message>
        <source>图形工具
多边形</source>
        <translation>Shape tool
Polygon</translation>
    </message>
    <message>
        <source>图形工具
圆</source>
        <translation>Shape tool
Circle</translation>
    </message>
    <message>
        <source>图形工具
椭圆</source>
        <translation>Shape tool
Ellipse</translation>
    </message>
    <message>
        <source>图形工具
斜椭圆</source>
        <translation>Shape tool
Slanted ellipse</translation>
    </message>
    <message>
        <source>图形工具
圆弧</source>
        <translation>Shape tool
Arc</translation>
    </message>
    <message>
        <source>图形工具
椭圆弧</source>
        <translation>Shape tool
Elliptical arc</translation>
    </message>
    <message>
        <source>图形工具
曲线</source>
        <translation>Shape tool
Curve</translation>
    </message>
    <message>
        <source>图形工具
平滑曲线</source>
        <translation>Shape tool
Smooth curve</translation>
    </message>
    <message>
        <source>图形工具
直线</source>
        <translation>Shape tool
Line</translation>
    </message>
    <message>
        <source>图形工具
选择&amp;拖拽</source>
        <translation>Shape tool
Select &amp; drag</translation>
    </message>
    <message>
        <source>新建(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>建立新方案
新建</source>
        <translation>Create a new scheme
New</translation>
    </message>
    <message>
        <source>退出(&amp;X)	Ctrl+Q</source>
        <translation>E&amp;xit	Ctrl+Q</translation>
    </message>
    <message>
        <source>退出程序
退出</source>
        <translation>Quit the program
Exit</translation>
    </message>
    <message>
        <source>打开(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>打开一个方案文件
打开</source>
        <translation>Open a scheme file
Open</translation>
    </message>
    <message>
        <source>保存方案(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save Scheme	Ctrl+S</translation>
    </message>
    <message>
        <source>保存当前方案
保存</source>
        <translation>Save the current scheme
Save</translation>
    </message>
    <message>
        <source>保存图片(&amp;P)	Ctrl+P</source>
        <translation>Save &amp;Picture	Ctrl+P</translation>
    </message>
    <message>
        <source>把当前帧保存为BMP图片
保存图片</source>
        <translation>Save the current frame as a BMP picture
Save picture</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
工具栏</source>
        <translation>Show or hide the toolbar
Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
状态栏</source>
        <translation>Show or hide the status bar
Status bar</translation>
    </message>
    <message>
        <source>工具箱(&amp;B)</source>
        <translation>Tool&amp;box</translation>
    </message>
    <message>
        <source>显示或隐藏工具箱
工具箱</source>
        <translation>Show or hide the toolbox
Toolbox</translation>
    </message>
    <message>
        <source>调色板(&amp;C)</source>
        <translation>&amp;Colour Palette</translation>
    </message>
    <message>
        <source>显示或隐藏调色板
调色板</source>
        <translation>Show or hide the colour palette
Palette</translation>
    </message>
    <message>
        <source>参数栏(&amp;P)</source>
        <translation>&amp;Parameter Bar</translation>
    </message>
    <message>
        <source>显示或隐藏参数栏
参数栏</source>
        <translation>Show or hide the parameter bar
Parameter bar</translation>
    </message>
    <message>
        <source>背景方格(&amp;G)</source>
        <translation>Background &amp;Grid...</translation>
    </message>
    <message>
        <source>设置新区域的行数和列数
背景方格</source>
        <translation>Set the rows and columns of new regions
Background grid</translation>
    </message>
    <message>
        <source>背景缩放(&amp;S)</source>
        <translation>Background &amp;Scale...</translation>
    </message>
    <message>
        <source>设置新区域的方格缩放
背景缩放</source>
        <translation>Set the cell scale of new regions
Background scale</translation>
    </message>
    <message>
        <source>背景图片(&amp;B)</source>
        <translation>&amp;Background Picture...</translation>
    </message>
    <message>
        <source>选择显示在每一帧下面的背景图片
背景图片</source>
        <translation>Choose the picture shown under every frame
Background picture</translation>
    </message>
    <message>
        <source>取消背景(&amp;C)</source>
        <translation>&amp;Clear Background</translation>
    </message>
    <message>
        <source>去掉背景图片
取消背景</source>
        <translation>Remove the background picture
Clear background</translation>
    </message>
    <message>
        <source>指定背景(&amp;R)</source>
        <translation>&amp;Restrict to Region</translation>
    </message>
    <message>
        <source>复制帧和刷黑只作用于当前区域
指定背景</source>
        <translation>Copying frames and blackening act on the current region only
Restrict to region</translation>
    </message>
    <message>
        <source>属性显示(&amp;P)</source>
        <translation>Shape &amp;Properties</translation>
    </message>
    <message>
        <source>显示或隐藏图元属性页
属性显示</source>
        <translation>Show or hide the shape properties
Shape properties</translation>
    </message>
    <message>
        <source>鼠标捕捉(&amp;M)</source>
        <translation>&amp;Mouse Capture</translation>
    </message>
    <message>
        <source>拖动图片时捕捉鼠标
鼠标捕捉</source>
        <translation>Capture the mouse while dragging a picture
Mouse capture</translation>
    </message>
    <message>
        <source>模拟鼠标(&amp;O)</source>
        <translation>Simulate M&amp;ouse</translation>
    </message>
    <message>
        <source>在位置栏中输入坐标代替鼠标点击
模拟鼠标</source>
        <translation>Type coordinates in the Position bar instead of clicking
Simulate mouse</translation>
    </message>
    <message>
        <source>跟随系统(&amp;S)</source>
        <translation>&amp;System Language</translation>
    </message>
    <message>
        <source>使用系统的语言，下次启动时生效
跟随系统</source>
        <translation>Use the system&apos;s language from the next start
System language</translation>
    </message>
    <message>
        <source>中文(&amp;C)</source>
        <translation>&amp;Chinese</translation>
    </message>
    <message>
        <source>使用中文界面，下次启动时生效
中文</source>
        <translation>Use the Chinese interface from the next start
Chinese</translation>
    </message>
    <message>
        <source>英文(&amp;E)</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>使用英文界面，下次启动时生效
英文</source>
        <translation>Use the English interface from the next start
English</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>导入(&amp;I)</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>导入图片，然后在视图中单击放置
导入图片</source>
        <translation>Import a picture, then click in the view to place it
Import picture</translation>
    </message>
    <message>
        <source>透明显示(&amp;T)</source>
        <translation>&amp;Transparent</translation>
    </message>
    <message>
        <source>调色板的主颜色在当前图片中变为透明
透明显示</source>
        <translation>The palette&apos;s front colour becomes transparent in the current picture
Transparent</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Reduce</translation>
    </message>
    <message>
        <source>把当前图片缩放到 %1
%1</source>
        <translation>Scale the current picture to %1
%1</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>粗体
粗体</source>
        <translation>Bold
Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>斜体
斜体</source>
        <translation>Italic
Italic</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>下划线
下划线</source>
        <translation>Underline
Underline</translation>
    </message>
    <message>
        <source>播放动画	F5</source>
        <translation>Play	F5</translation>
    </message>
    <message>
        <source>播放动画
播放</source>
        <translation>Play the animation
Play</translation>
    </message>
    <message>
        <source>暂停动画	F6</source>
        <translation>Pause	F6</translation>
    </message>
    <message>
        <source>暂停动画
暂停</source>
        <translation>Pause the animation
Pause</translation>
    </message>
    <message>
        <source>停止动画	F7</source>
        <translation>Stop	F7</translation>
    </message>
    <message>
        <source>停止动画
停止</source>
        <translation>Stop the animation
Stop</translation>
    </message>
    <message>
        <source>第一帧	Ctrl+Home</source>
        <translation>First Frame	Ctrl+Home</translation>
    </message>
    <message>
        <source>第一帧
第一帧</source>
        <translation>First frame
First frame</translation>
    </message>
    <message>
        <source>前一帧	PgUp</source>
        <translation>Previous Frame	PgUp</translation>
    </message>
    <message>
        <source>前一帧
前一帧</source>
        <translation>Previous frame
Previous frame</translation>
    </message>
    <message>
        <source>后一帧	PgDown</source>
        <translation>Next Frame	PgDown</translation>
    </message>
    <message>
        <source>后一帧
后一帧</source>
        <translation>Next frame
Next frame</translation>
    </message>
    <message>
        <source>最后一帧	Ctrl+End</source>
        <translation>Last Frame	Ctrl+End</translation>
    </message>
    <message>
        <source>最后一帧
最后一帧</source>
        <translation>Last frame
Last frame</translation>
    </message>
    <message>
        <source>增加一帧	Ctrl+Ins</source>
        <translation>Add Frame	Ctrl+Ins</translation>
    </message>
    <message>
        <source>增加一帧
增加</source>
        <translation>Add a frame
Add</translation>
    </message>
    <message>
        <source>删除当前帧</source>
        <translation>Delete Frame</translation>
    </message>
    <message>
        <source>删除当前帧
删除</source>
        <translation>Delete the current frame
Delete</translation>
    </message>
    <message>
        <source>复制前一帧</source>
        <translation>Copy Previous Frame</translation>
    </message>
    <message>
        <source>复制前一帧
拷贝前一帧</source>
        <translation>Copy the previous frame
Copy previous frame</translation>
    </message>
    <message>
        <source>复制某一帧...</source>
        <translation>Copy Frame...</translation>
    </message>
    <message>
        <source>复制某一帧
拷贝某一帧</source>
        <translation>Copy a given frame
Copy frame</translation>
    </message>
    <message>
        <source>背景区域刷黑</source>
        <translation>Blacken Regions</translation>
    </message>
    <message>
        <source>背景区域刷黑
背景区域刷黑</source>
        <translation>Blacken the background regions
Blacken regions</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>刷新
刷新</source>
        <translation>Refresh
Refresh</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>移动当前层的对象
%1</source>
        <translation>Move the objects of the current layer
%1</translation>
    </message>
    <message>
        <source>移动到某一位置</source>
        <translation>Move To...</translation>
    </message>
    <message>
        <source>移动到某一位置
移动到某一位置</source>
        <translation>Move to a position
Move to</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>旋转选中的图形
旋转</source>
        <translation>Rotate the selected shapes
Rotate</translation>
    </message>
    <message>
        <source>给当前区域加上特效: %1
%1</source>
        <translation>Apply an effect to the current region: %1
%1</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>循环(&amp;C)</source>
        <translation>&amp;Cycle</translation>
    </message>
    <message>
        <source>特效循环
循环</source>
        <translation>Cycle the effect
Cycle</translation>
    </message>
    <message>
        <source>展开(&amp;D)</source>
        <translation>&amp;Expand</translation>
    </message>
    <message>
        <source>特效展开到后面的帧中
展开</source>
        <translation>Expand the effect into the following frames
Expand</translation>
    </message>
    <message>
        <source>帮助(&amp;H)	F1</source>
        <translation>&amp;Help	F1</translation>
    </message>
    <message>
        <source>打开使用说明
帮助</source>
        <translation>Open the user guide
Help</translation>
    </message>
    <message>
        <source>关于 Zorvane(&amp;A)...</source>
        <translation>&amp;About Zorvane...</translation>
    </message>
    <message>
        <source>显示程序信息
关于</source>
        <translation>Show information about the program
About</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>打开最近使用的方案
最近的文件</source>
        <translation>Open a recently used scheme
Recent files</translation>
    </message>
    <message>
        <source>撤销(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>撤销上一步编辑
撤销</source>
        <translation>Undo the last edit
Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>重做撤销的编辑
重做</source>
        <translation>Redo the undone edit
Redo</translation>
    </message>
    <message>
        <source>输出AVI文件(&amp;V)	Ctrl+V</source>
        <translation>Export &amp;Video...	Ctrl+V</translation>
    </message>
    <message>
        <source>把整个动画输出为视频文件 (AVI, MP4, WebM, GIF)
输出视频</source>
        <translation>Export the whole animation as a video file (AVI, MP4, WebM, GIF)
Export video</translation>
    </message>
    <message>
        <source>历史记录(&amp;H)</source>
        <translation>&amp;History</translation>
    </message>
    <message>
        <source>显示或隐藏编辑历史
历史记录</source>
        <translation>Show or hide the edit history
History</translation>
    </message>
</context>
<context>
    <name>FileChoice</name>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>Save Scheme</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>背景图片</source>
        <translation>Background Picture</translation>
    </message>
    <message>
        <source>位图文件(*.bmp)</source>
        <translation>Bitmap Files (*.bmp)</translation>
    </message>
    <message>
        <source>输出视频文件</source>
        <translation>Export Video File</translation>
    </message>
</context>
<context>
    <name>FrameCategory</name>
    <message>
        <source>普通帧</source>
        <translation>Normal frame</translation>
    </message>
    <message>
        <source>平移--左</source>
        <translation>Shift--Left</translation>
    </message>
    <message>
        <source>平移--右</source>
        <translation>Shift--Right</translation>
    </message>
    <message>
        <source>平移--交错--水平</source>
        <translation>Shift--Interleave--Horizontal</translation>
    </message>
    <message>
        <source>聚合--左</source>
        <translation>Converge--Left</translation>
    </message>
    <message>
        <source>聚合--右</source>
        <translation>Converge--Right</translation>
    </message>
    <message>
        <source>聚合--中--水平</source>
        <translation>Converge--Centre--Horizontal</translation>
    </message>
    <message>
        <source>聚合--边缘--水平</source>
        <translation>Converge--Edges--Horizontal</translation>
    </message>
    <message>
        <source>分散--左</source>
        <translation>Scatter--Left</translation>
    </message>
    <message>
        <source>分散--右</source>
        <translation>Scatter--Right</translation>
    </message>
    <message>
        <source>分散--中--水平</source>
        <translation>Scatter--Centre--Horizontal</translation>
    </message>
    <message>
        <source>分散--边缘--水平</source>
        <translation>Scatter--Edges--Horizontal</translation>
    </message>
    <message>
        <source>收缩--左</source>
        <translation>Shrink--Left</translation>
    </message>
    <message>
        <source>收缩--右</source>
        <translation>Shrink--Right</translation>
    </message>
    <message>
        <source>收缩--中--水平</source>
        <translation>Shrink--Centre--Horizontal</translation>
    </message>
    <message>
        <source>收缩--边缘--水平</source>
        <translation>Shrink--Edges--Horizontal</translation>
    </message>
    <message>
        <source>伸展--左</source>
        <translation>Stretch--Left</translation>
    </message>
    <message>
        <source>伸展--右</source>
        <translation>Stretch--Right</translation>
    </message>
    <message>
        <source>伸展--中--水平</source>
        <translation>Stretch--Centre--Horizontal</translation>
    </message>
    <message>
        <source>伸展--边缘--水平</source>
        <translation>Stretch--Edges--Horizontal</translation>
    </message>
    <message>
        <source>侵蚀--左</source>
        <translation>Erode--Left</translation>
    </message>
    <message>
        <source>侵蚀--右</source>
        <translation>Erode--Right</translation>
    </message>
    <message>
        <source>侵蚀--中--水平</source>
        <translation>Erode--Centre--Horizontal</translation>
    </message>
    <message>
        <source>侵蚀--边缘--水平</source>
        <translation>Erode--Edges--Horizontal</translation>
    </message>
    <message>
        <source>平移--上</source>
        <translation>Shift--Up</translation>
    </message>
    <message>
        <source>平移--下</source>
        <translation>Shift--Down</translation>
    </message>
    <message>
        <source>平移--交错--竖直</source>
        <translation>Shift--Interleave--Vertical</translation>
    </message>
    <message>
        <source>聚合--上</source>
        <translation>Converge--Up</translation>
    </message>
    <message>
        <source>聚合--下</source>
        <translation>Converge--Down</translation>
    </message>
    <message>
        <source>聚合--中--竖直</source>
        <translation>Converge--Centre--Vertical</translation>
    </message>
    <message>
        <source>聚合--边缘--竖直</source>
        <translation>Converge--Edges--Vertical</translation>
    </message>
    <message>
        <source>分散--上</source>
        <translation>Scatter--Up</translation>
    </message>
    <message>
        <source>分散--下</source>
        <translation>Scatter--Down</translation>
    </message>
    <message>
        <source>分散--中--竖直</source>
        <translation>Scatter--Centre--Vertical</translation>
    </message>
    <message>
        <source>分散--边缘--竖直</source>
        <translation>Scatter--Edges--Vertical</translation>
    </message>
    <message>
        <source>收缩--上</source>
        <translation>Shrink--Up</translation>
    </message>
    <message>
        <source>收缩--下</source>
        <translation>Shrink--Down</translation>
    </message>
    <message>
        <source>收缩--中--竖直</source>
        <translation>Shrink--Centre--Vertical</translation>
    </message>
    <message>
        <source>收缩--边缘--竖直</source>
        <translation>Shrink--Edges--Vertical</translation>
    </message>
    <message>
        <source>伸展--上</source>
        <translation>Stretch--Up</translation>
    </message>
    <message>
        <source>伸展--下</source>
        <translation>Stretch--Down</translation>
    </message>
    <message>
        <source>伸展--中--竖直</source>
        <translation>Stretch--Centre--Vertical</translation>
    </message>
    <message>
        <source>伸展--边缘--竖直</source>
        <translation>Stretch--Edges--Vertical</translation>
    </message>
    <message>
        <source>侵蚀--上</source>
        <translation>Erode--Up</translation>
    </message>
    <message>
        <source>侵蚀--下</source>
        <translation>Erode--Down</translation>
    </message>
    <message>
        <source>侵蚀--中--竖直</source>
        <translation>Erode--Centre--Vertical</translation>
    </message>
    <message>
        <source>侵蚀--边缘--竖直</source>
        <translation>Erode--Edges--Vertical</translation>
    </message>
    <message>
        <source>渐变--渐隐</source>
        <translation>Gradient--Fade out</translation>
    </message>
    <message>
        <source>渐变--渐显</source>
        <translation>Gradient--Fade in</translation>
    </message>
    <message>
        <source>渐变--七彩--左</source>
        <translation>Gradient--Rainbow--Left</translation>
    </message>
    <message>
        <source>渐变--七彩--右</source>
        <translation>Gradient--Rainbow--Right</translation>
    </message>
    <message>
        <source>渐变--七彩--上</source>
        <translation>Gradient--Rainbow--Up</translation>
    </message>
    <message>
        <source>渐变--七彩--下</source>
        <translation>Gradient--Rainbow--Down</translation>
    </message>
    <message>
        <source>渐变--单色--左</source>
        <translation>Gradient--One colour--Left</translation>
    </message>
    <message>
        <source>渐变--单色--右</source>
        <translation>Gradient--One colour--Right</translation>
    </message>
    <message>
        <source>渐变--单色--上</source>
        <translation>Gradient--One colour--Up</translation>
    </message>
    <message>
        <source>渐变--单色--下</source>
        <translation>Gradient--One colour--Down</translation>
    </message>
    <message>
        <source>特效帧</source>
        <translation>Effect frame</translation>
    </message>
</context>
<context>
    <name>RegionDefaults</name>
    <message>
        <source>行数和列数必须是 1 到 %1 之间的整数。</source>
        <translation>Rows and columns must be whole numbers from 1 to %1.</translation>
    </message>
</context>
<context>
    <name>zv::AboutDialog</name>
    <message>
        <source>关于 Zorvane</source>
        <translation>About Zorvane</translation>
    </message>
    <message>
        <source>Application icon</source>
        <translation>Application icon</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zv::CDLineColor</name>
    <message>
        <source>颜色设定</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>红</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>绿</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>蓝</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>拾取</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>画笔</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>画刷</source>
        <translation>Brush</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
</context>
<context>
    <name>zv::CDlgParamSet</name>
    <message>
        <source>参数栏</source>
        <translation>Parameter Bar</translation>
    </message>
    <message>
        <source>当前位置：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>当前位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Frame counter</source>
        <translation>Frame counter</translation>
    </message>
    <message>
        <source>频率：</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>(帧/秒)</source>
        <translation>(frames/s)</translation>
    </message>
    <message>
        <source>循环播放 </source>
        <translation>Loop </translation>
    </message>
    <message>
        <source>帧类别:普通帧</source>
        <translation>Frame type: Normal frame</translation>
    </message>
    <message>
        <source>Frame category</source>
        <translation>Frame category</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>图形</source>
        <translation>Shapes</translation>
    </message>
</context>
<context>
    <name>zv::CDlineStyle</name>
    <message>
        <source>风格设定</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>画笔</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>线宽</source>
        <translation>Line Width</translation>
    </message>
    <message>
        <source>画刷</source>
        <translation>Brush</translation>
    </message>
    <message>
        <source>填充阴影</source>
        <translation>Hatch</translation>
    </message>
    <message>
        <source>背景模式</source>
        <translation>Background Mode</translation>
    </message>
    <message>
        <source>不透明</source>
        <translation>Opaque</translation>
    </message>
    <message>
        <source>透明</source>
        <translation>Transparent</translation>
    </message>
</context>
<context>
    <name>zv::CLinePropertySheet</name>
    <message>
        <source>图元属性页</source>
        <translation>Shape Properties</translation>
    </message>
</context>
<context>
    <name>zv::CLocDlg</name>
    <message>
        <source>输入:</source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>1 x,y: click; 2 x,y: double click; 3 x,y: move to; 4 x,y,a: rotate</source>
        <translation>1 x,y: click; 2 x,y: double click; 3 x,y: move to; 4 x,y,a: rotate</translation>
    </message>
</context>
<context>
    <name>zv::CMainFrame</name>
    <message>
        <source>参数栏</source>
        <translation>Parameter Bar</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>大写</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>导入图片</source>
        <translation>Import Picture</translation>
    </message>
    <message>
        <source>正在导入图片 %1 ...</source>
        <translation>Importing picture %1 ...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>找不到使用说明 (share/zorvane/help/user-guide.html)。</source>
        <translation>The user guide (share/zorvane/help/user-guide.html) is not installed.</translation>
    </message>
    <message>
        <source>无法打开使用说明 %1。</source>
        <translation>The user guide %1 could not be opened.</translation>
    </message>
    <message>
        <source>界面语言将在 Zorvane 下次启动时更改。</source>
        <translation>The interface language changes when Zorvane starts next time.</translation>
    </message>
    <message>
        <source>历史记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>&lt;打开或新建&gt;</source>
        <translation>&lt;opened or new&gt;</translation>
    </message>
    <message>
        <source>方案 %1 已修改。
是否保存修改?</source>
        <translation>The scheme %1 has been modified.
Do you want to save your changes?</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>不保存(&amp;N)</source>
        <translation>Do&amp;n't Save</translation>
    </message>
    <message>
        <source>上次运行没有正常结束，留下了未保存的修改。
是否恢复?</source>
        <translation>The last session did not end normally and left unsaved changes.
Restore them?</translation>
    </message>
</context>
<context>
    <name>zv::CPaletteBar</name>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>Click the front colour to change it; click the back colour to bring it to the front</source>
        <translation>Click the front colour to change it; click the back colour to bring it to the front</translation>
    </message>
    <message>
        <source>Current colour</source>
        <translation>Current colour</translation>
    </message>
</context>
<context>
    <name>zv::CTextToolBar</name>
    <message>
        <source>文字工具条</source>
        <translation>Text Tool Bar</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Font size</translation>
    </message>
</context>
<context>
    <name>zv::CZorvaneView</name>
    <message>
        <source>Sign view</source>
        <translation>Sign view</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>zv::CopyFrameDialog</name>
    <message>
        <source>指定拷贝帧</source>
        <translation>Copy Frame</translation>
    </message>
    <message>
        <source>帧序号</source>
        <translation>Frame number</translation>
    </message>
    <message>
        <source>帧序号：</source>
        <translation>Frame number:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>zv::Document</name>
    <message>
        <source>帧类别:%1</source>
        <translation>Frame type: %1</translation>
    </message>
    <message>
        <source>帧类别:%1--&gt;%2</source>
        <translation>Frame type: %1 --&gt; %2</translation>
    </message>
    <message>
        <source>文件已保存!</source>
        <translation>File saved.</translation>
    </message>
    <message>
        <source>文件保存失败!</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>无法读取背景图片: %1</source>
        <translation>The background picture could not be read: %1</translation>
    </message>
    <message>
        <source>文件格式错误，读取失败!</source>
        <translation>The file format is wrong; the file could not be read.</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除图形</source>
        <translation>Delete shape</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>文件不存在: %1</source>
        <translation>The file does not exist: %1</translation>
    </message>
    <message>
        <source>背景图片</source>
        <translation>Background picture</translation>
    </message>
    <message>
        <source>取消背景</source>
        <translation>Remove background</translation>
    </message>
    <message>
        <source>视频文件的扩展名应为 .avi, .mp4, .webm 或 .gif</source>
        <translation>A video file name should end in .avi, .mp4, .webm or .gif</translation>
    </message>
    <message>
        <source>帧率 %1 超出 AVI 能显示的范围, 每帧按 1/15 秒输出</source>
        <translation>Rate %1 is beyond what an AVI can show; each frame is written for 1/15 s</translation>
    </message>
    <message>
        <source>视频输出已取消</source>
        <translation>Video export cancelled</translation>
    </message>
    <message>
        <source>编辑文字</source>
        <translation>Edit text</translation>
    </message>
    <message>
        <source>编辑图片</source>
        <translation>Edit picture</translation>
    </message>
    <message>
        <source>编辑图形</source>
        <translation>Edit shape</translation>
    </message>
    <message>
        <source>编辑区域</source>
        <translation>Edit region</translation>
    </message>
    <message>
        <source>图形样式</source>
        <translation>Shape style</translation>
    </message>
</context>
<context>
    <name>zv::GridDialog</name>
    <message>
        <source>背景方格</source>
        <translation>Background Grid</translation>
    </message>
    <message>
        <source>行数</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>列数</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>行数:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <source>列数:</source>
        <translation>Columns:</translation>
    </message>
</context>
<context>
    <name>zv::RateSpin</name>
    <message>
        <source>Frame rate</source>
        <translation>Frame rate</translation>
    </message>
</context>
<context>
    <name>zv::ScaleDialog</name>
    <message>
        <source>背景缩放</source>
        <translation>Background Scale</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Scale</translation>
    </message>
</context>
<context>
    <name>zv::VideoDialogs</name>
    <message>
        <source>视频压缩</source>
        <translation>Video Compression</translation>
    </message>
    <message>
        <source>压缩程序:</source>
        <translation>Compressor:</translation>
    </message>
    <message>
        <source>正在输出视频...</source>
        <translation>Exporting video...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>输出视频</source>
        <translation>Export Video</translation>
    </message>
</context>
</TS>
