// What the browser suite (pagina.test.js) and the page's figures (banco.js)
// share: where the page and the native program are, the native program's
// screen for some answers, the largest sessions, Chromium, and the page's
// answer line and screen.
'use strict';

const { execFileSync, spawnSync } = require('node:child_process');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const root = path.resolve(__dirname, '..', '..');
const page = path.join(root, 'build-web', 'lousa.html');
const native = process.env.LOUSA_NATIVE || path.join(root, 'build', 'lousa');
const big = { maxBuffer: 64 << 20 };
const desktop = { width: 1000, height: 700 };

const fromCP850 = (bytes) => execFileSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: bytes, ...big }).toString('utf8');
const withEnds = (lines) => lines.map((l) => l + '\n').join('');

// The native program on these answers, as it ran: its screen and report in
// code page 850 (one byte a character) and its status.
function nativeRun(lines) {
  const r = spawnSync(native, [], { input: withEnds(lines), ...big });
  if (r.error) throw r.error;
  return r;
}

// The same with its screen and report in UTF-8, and how long it took.
function runNative(lines) {
  const start = process.hrtime.bigint();
  const r = nativeRun(lines);
  const ms = Number(process.hrtime.bigint() - start) / 1e6;
  return { screen: fromCP850(r.stdout), report: fromCP850(r.stderr), status: r.status, ms };
}

// The largest session of each application, as bench/sessoes.py writes them.
function largestSessions() {
  const py = 'import json, random, sys; sys.path.insert(0, "bench"); import sessoes; ' +
    'print(json.dumps(sessoes.sessoes(random.Random(1234))))';
  return JSON.parse(execFileSync('python3', ['-c', py], { cwd: root, ...big }).toString());
}

const launchChromium = (profile) => puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

const waitForState = (tab, name) => tab.waitForFunction((n) => document.body.dataset.estado === n, {}, name);
const waitForMenu = (tab) => tab.waitForFunction(() => document.body.dataset.estado === 'esperando' &&
  document.getElementById('tela').textContent.includes('DIGITE O CODIGO DA APLICACAO'));

// A paste onto the answer line, as the clipboard would hand it over (lines, or
// the text itself); the page's clock when it was handed over.
const paste = (tab, text) => tab.$eval('#entrada', (line, t) => {
  const data = new DataTransfer();
  data.setData('text/plain', t);
  const start = performance.now();
  line.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
  return start;
}, Array.isArray(text) ? withEnds(text) : text);

// The program's own text: the screen without what `leaveOut` selects (by
// default the echoed answers, the report and the panels beside the results).
const programOutput = (tab, leaveOut = '.digitado, .relato, .painel') => tab.$eval('#tela', (t, f) => {
  let text = '';
  for (const walk = document.createTreeWalker(t, NodeFilter.SHOW_TEXT); walk.nextNode();) {
    if (!walk.currentNode.parentElement.closest(f)) text += walk.currentNode.textContent;
  }
  return text;
}, leaveOut);

module.exports = { root, page, desktop, fromCP850, withEnds, nativeRun, runNative, largestSessions, launchChromium,
  waitForState, waitForMenu, paste, programOutput };
