// The tab room's board: one WebSocket to the board server, a card per room, and, opened with
// the board's token, a box that sends notices to every room or to one.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const OFFLINE_ALERT_MS = 30000;
  let ws = null;
  let delay = 500;
  let board = null;
  let received = 0;  // when the board came, by this browser's clock

  function token() {
    const m = /(?:^|[?&])token=([^&#]*)/.exec(location.search);
    if (!m) return '';
    try { return decodeURIComponent(m[1]); } catch (e) { return ''; }
  }

  function connect() {
    const query = token() ? '?token=' + encodeURIComponent(token()) : '';
    const sock = new WebSocket((location.protocol === 'https:' ? 'wss:' : 'ws:') + '//' +
                               location.host + '/ws' + query);
    ws = sock;
    sock.onopen = () => { delay = 500; $('reconnecting').hidden = true; };
    sock.onmessage = (ev) => {
      let message;
      try { message = JSON.parse(ev.data); } catch (e) { return; }
      if (message.error) { $('notice-result').textContent = refusal(message.error); return; }
      take(message);
    };
    sock.onclose = () => {
      if (ws !== sock) return;
      $('reconnecting').hidden = false;
      setTimeout(connect, delay);
      delay = Math.min(delay * 2, 5000);
    };
  }

  function refusal(kind) {
    return { forbidden: '口令无效，无法发送通知', 'too many': '发送过于频繁，请稍后再试',
             malformed: '通知内容无效' }[kind] || '无法发送';
  }

  // How long ago a room was last heard, by the server's clock at the board's time.
  function agoMs(room) {
    return Date.parse(board.now) - Date.parse(room.seen) + (Date.now() - received);
  }

  function agoText(ms) {
    const s = Math.max(0, Math.round(ms / 1000));
    return s < 60 ? s + '秒前' : Math.floor(s / 60) + '分钟前';
  }

  // The state word and whether the card stands out.
  function describe(room) {
    const state = room.state || {};
    const clocks = Array.isArray(state.clocks) ? state.clocks : [];
    const over = clocks.some((c) => (c.overtime || 0) > 0);
    const timeUp = over || clocks.some((c) => /时间到/.test(c.text || ''));
    const ago = agoMs(room);
    if (!room.online) return { word: '离线 ' + agoText(ago), cls: 'offline', alert: ago > OFFLINE_ALERT_MS };
    if (state.screen === 'Form4') return { word: '主界面', cls: '', alert: false };
    if (timeUp) return { word: '时间到', cls: 'timeup', alert: over };
    if (state.running) return { word: '计时中', cls: 'running', alert: false };
    if (clocks.length) return { word: '暂停', cls: '', alert: false };
    return { word: '—', cls: '', alert: false };
  }

  function element(tag, cls, text) {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;  // never markup: rooms are not trusted
    return e;
  }

  function card(room) {
    const state = room.state || {};
    const looks = describe(room);
    const c = element('section', 'room' + (looks.alert ? ' alert' : '') + (room.online ? '' : ' offline'));
    c.setAttribute('aria-label', room.room + ' ' + looks.word);
    const head = element('div', 'room-head');
    head.append(element('span', 'room-name', room.room),
                element('span', 'room-word ' + looks.cls, looks.word));
    c.append(head);
    if (state.debate) c.append(element('p', 'room-debate', state.debate));
    if (state.segment) c.append(element('p', 'room-segment', state.segment));
    const clocks = element('div', 'room-clocks');
    for (const clock of Array.isArray(state.clocks) ? state.clocks : []) {
      const box = element('div', 'room-clock');
      if (clock.label) box.append(element('div', 'label', clock.label));
      const text = element('div', 'text', (clock.text || '').trim());
      if (/^#[0-9A-Fa-f]{6}$/.test(clock.colour || '')) text.style.color = lighten(clock.colour);
      box.append(text);
      if ((clock.overtime || 0) > 0) {
        box.append(element('div', 'over', (clock.overtimeOf || '') + '超时 ' + clock.overtime + '秒'));
      }
      clocks.append(box);
    }
    c.append(clocks);
    return c;
  }

  // Projector colours are chosen for a light picture; on the dark board the darkest are lifted.
  function lighten(hex) {
    const v = parseInt(hex.slice(1), 16);
    const rgb = [v >> 16 & 255, v >> 8 & 255, v & 255];
    const light = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
    return light < 90 ? '#e8ecf4' : hex;
  }

  function render() {
    if (!board) return;
    $('title').textContent = '赛事看板 · ' + board.tournament;
    const rooms = board.rooms;
    const online = rooms.filter((r) => r.online).length;
    $('summary').textContent = rooms.length + ' 个赛场，' + online + ' 个在线';
    $('empty').hidden = rooms.length > 0;
    $('rooms').replaceChildren(...rooms.map(card));
    const select = $('notice-room');
    const chosen = select.value;
    select.replaceChildren(element('option', '', '全部赛场'));
    select.firstChild.value = '';
    for (const room of rooms) {
      const option = element('option', '', room.room);
      option.value = room.room;
      select.append(option);
    }
    select.value = chosen;
  }

  function setUpNotices() {
    if (!token()) return;
    $('notice').hidden = false;
    $('notice').addEventListener('submit', (ev) => {
      ev.preventDefault();
      const text = $('notice-text').value.trim();
      if (!text || !ws || ws.readyState !== WebSocket.OPEN) return;
      const message = { notice: text };
      if ($('notice-room').value) message.room = $('notice-room').value;
      ws.send(JSON.stringify(message));
      $('notice-result').textContent = '已发送 ' + new Date().toTimeString().slice(0, 5);
      $('notice-text').value = '';
    });
  }

  function take(message) {
    if (Array.isArray(message.rooms)) { board = message; received = Date.now(); render(); }
  }

  setUpNotices();
  // The board at once, then every change through the socket.
  fetch('/state').then((r) => r.json()).then((m) => { if (!board) take(m); }).catch(() => {});
  connect();
  setInterval(render, 1000);  // the times since rooms were last heard
})();
