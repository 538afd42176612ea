// The page in a real browser: build-web/lousa.html opened from disk in headless
// Chromium (and Firefox), sessions typed with real keys, and what it shows
// compared with the native program's screen; timings are banco.js's.
//   cd tests/web && npm ci && node --test pagina.test.js
// Needs build-web/lousa.html (make web) and build/lousa (make test); LOUSA_NATIVE,
// CHROMIUM and FIREFOX override where they are.
'use strict';

const { describe, it, before, after, beforeEach } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const axe = require('axe-core');
const common = require('./comum');
const { root, page, desktop, fromCP850, withEnds, runNative, largestSessions } = common;

const address = 'file://' + page;
const firefox = process.env.FIREFOX || '/usr/bin/firefox-esr';
const [pictures, phone] = [path.join(root, 'build-web'), { width: 390, height: 700, isMobile: true, hasTouch: true }];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The examples of examples/, one whole session per application from the
// menu: their answers (without the comments after them) and their screens.
const examples = fs.readdirSync(path.join(root, 'examples')).filter((f) => f.endsWith('.txt')).sort().map((f) => {
  const file = path.join(root, 'examples', f);
  const answers = fs.readFileSync(file, 'utf8');
  return { code: String(Number(f.slice(0, 2))), file, answers, lines: answers.split('\n').slice(0, -1).map((l) => l.split(/\s{2,}/)[0]),
    screen: fromCP850(fs.readFileSync(file.replace(/\.txt$/, '.tela'))) };
});
const paired = ['3', '1', '4', '10 8', '12 11', '9 9', '11 8', '0'];

// What a terminal shows for these answers: the native screen with each typed
// line echoed where the program read it, which is where its screen stops when
// its input ends before that line; `echoes` says where each echo begins.
function screenWithEchoes(lines) {
  const whole = runNative(lines);
  assert.equal(whole.status, 0, 'the native run of the session must end normally');
  let text = '', read = 0;
  const echoes = lines.map((l, k) => {
    const upTo = common.nativeRun(lines.slice(0, k));
    assert.equal(upTo.status, 2, 'the program reads line ' + (k + 1));
    text += whole.screen.slice(read, (read = upTo.stdout.length));
    return (text += l + '\n').length - l.length - 1;
  });
  return { text: text + whole.screen.slice(read), echoes };
}

// A typo at a read that takes a number, drawn at random (the seed is printed);
// the native program confirms that it fails there.
const seed = Number(process.env.LOUSA_SEMENTE || Date.now() % 100000);
let draw = seed;
function typoIn(lines) {
  const numeric = lines.map((l, k) => k).filter((k) => k >= 2 && /^\s*[-+]?\d/.test(lines[k]));
  for (let attempt = 0; attempt < 50; ++attempt) {
    const k = numeric[(draw = (draw * 1103515245 + 12345) % 2147483648) % numeric.length];
    const wrong = lines[k].replace(/^(\s*\S+)/, '$1x');
    if (runNative([...lines.slice(0, k), wrong]).status === 2) return { k, wrong };
  }
  throw new Error('no read fails on a typo');
}

// Chromium runs the whole suite. Firefox (WebDriver BiDi), when installed, runs
// the typed sessions with their corrections, the keys and the decimal comma;
// it builds no paste event with data, so there lines are typed instead.
inBrowser('Chromium', common.launchChromium, true);
if (!fs.existsSync(firefox)) it.skip('lousa.html in Firefox: no ' + firefox);
else inBrowser('Firefox', (profile) => puppeteer.launch({ browser: 'firefox', executablePath: firefox, headless: true, userDataDir: profile }), false);

function inBrowser(browserName, launch, full) {
describe('lousa.html in ' + browserName, () => {
  const itFull = full ? it : () => {};
  let browser, tab, folder, downloads;
  const outsideRequests = [], pageErrors = [];

  before(async () => {
    folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-navegador-'));
    fs.mkdirSync(downloads = path.join(folder, 'downloads'));
    browser = await launch(path.join(folder, 'perfil'));
    tab = await browser.newPage();
    tab.on('console', (m) => { if (m.type() === 'error') pageErrors.push(m.text()); });
    tab.on('pageerror', (e) => pageErrors.push(e.message));
    // Anything the page's policy refuses is an error of the page.
    await tab.evaluateOnNewDocument(() => document.addEventListener('securitypolicyviolation', (e) => console.error('CSP: ' + e.violatedDirective)));
    if (!full) return tab.goto(address);
    await tab.setRequestInterception(true);
    tab.on('request', (r) => (/^(file|data|blob):/.test(r.url()) ? r.continue() : (outsideRequests.push(r.url()), r.abort())));
    await (await browser.target().createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await tab.goto(address);
  });

  after(async () => { await browser?.close(); fs.rmSync(folder, { recursive: true, force: true }); });
  // Each test starts with the panels off: a key an earlier test pressed on a switch left it on, and kept.
  const panelsOff = () => tab.evaluate(() => { for (let on; (on = document.querySelector('[role="switch"][aria-checked="true"]'));) on.click(); });
  beforeEach(async () => { if (full) await tab.emulateMediaType(null); await tab.setViewport(desktop); await panelsOff(); await restart(); });
  const waitForState = (name) => common.waitForState(tab, name);
  const screenText = () => tab.$eval('#tela', (t) => t.textContent);
  const programOutput = () => common.programOutput(tab);
  const echoes = () => tab.$$eval('#tela .digitado', (s) => s.map((e) => e.textContent));
  const focused = () => tab.evaluate(() => document.activeElement.id);
  const lineValue = () => tab.$eval('#entrada', (e) => e.value);
  const shown = (selector) => tab.$eval(selector, (e) => (e.hidden ? '' : e.textContent));
  const keys = async (...names) => { for (const k of names) await tab.keyboard.press(k); };
  const settle = () => tab.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const waitForLine = (value) => tab.waitForFunction((v) => document.body.dataset.estado === 'esperando' &&
    document.getElementById('entrada').value === v, {}, value);

  // Does what starts a new run and waits until the run before is off the screen.
  async function anotherRun(action) {
    await tab.$eval('#tela', (t) => t.appendChild(document.createComment('run before')));
    await settle();
    await action();
    await tab.waitForFunction(() => ![...document.getElementById('tela').childNodes].some((n) => n.nodeType === Node.COMMENT_NODE));
  }

  const restart = () => anotherRun(() => tab.click('[data-acao="recomecar"]')).then(() => common.waitForMenu(tab));

  // Types each line when the program waits for it, as a student would; a tab
  // in a line is a press of the Tab key.
  async function type(lines, delay = 0) {
    for (const [k, l] of lines.entries()) {
      await waitForState('esperando');
      assert.equal(await focused(), 'entrada', 'the answer line has the focus before line ' + (k + 1));
      for (const [j, part] of l.split('\t').entries()) { if (j > 0) await keys('Tab'); await tab.keyboard.type(part, { delay }); }
      await tab.keyboard.press('Enter', { delay });
    }
  }

  const paste = (lines) => (full ? common.paste(tab, lines) : type(lines));

  async function saved(click = () => tab.click('[data-acao="salvar"]')) {
    assert.deepEqual(fs.readdirSync(downloads), []);
    await click();
    for (let wait = 0; wait < 100; ++wait, await sleep(50)) {
      const [name, ...more] = fs.readdirSync(downloads).filter((f) => f.endsWith('.txt'));
      if (!name || more.length) continue;
      const text = fs.readFileSync(path.join(downloads, name), 'utf8');
      return fs.rmSync(path.join(downloads, name)) || { name, text };
    }
    throw new Error('no saved session in ' + downloads);
  }

  // A file given through "Abrir respostas…".
  async function open(contents) {
    const file = path.join(folder, 'respostas.txt');
    fs.writeFileSync(file, contents);
    const [chooser] = await Promise.all([tab.waitForFileChooser(), tab.click('#abrir')]);
    await anotherRun(() => chooser.accept([file]));
  }

  // axe-core's audit of the page as it is: its findings but the minor ones.
  async function audit() {
    await tab.evaluate(axe.source);
    return tab.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] })).violations
      .filter((v) => v.impact !== 'minor').map((v) => v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', ')));
  }

  // Each application once, typed with real keys (Tab between values), with a
  // typo at a random line: the rest is pasted after it and follows by itself
  // once the typo is corrected with the keys.
  it('types a session of every application, corrects a typo and keeps the lines after it', async () => {
    console.log('# typo positions drawn with LOUSA_SEMENTE=' + seed);
    for (const { file: name, lines: spaced } of examples) {
      const lines = spaced.map((l) => l.split(' ').join('\t'));
      const { text, echoes: starts } = screenWithEchoes(lines);
      const { k, wrong } = typoIn(lines);
      await restart();
      await type(lines.slice(0, k));
      if (lines[0] === '7') await tab.screenshot({ path: path.join(pictures, 'lousa-sessao.png') });
      await paste([wrong, ...(full ? lines.slice(k + 1) : [])]);
      await waitForState('terminou');
      assert.equal(await focused(), 'entrada', name + ': the focus stays on the answer line');
      await anotherRun(() => tab.click('#corrigir'));
      await waitForLine(wrong);
      assert.equal(await screenText(), text.slice(0, starts[k]), name + ': the screen before the typo, line ' + (k + 1));
      if (full && k + 1 < lines.length) assert.match(await shown('#notas'), new RegExp(`${lines.length - k - 1} linhas? a seguir`));
      await keys('Home', ...Array(/^\s*\S+/.exec(lines[k])[0].length + 1).fill('ArrowRight'), 'Backspace', 'Enter');
      if (!full) await type(lines.slice(k + 1));
      await waitForState('terminou');
      assert.equal(await screenText(), text, name);
      assert.equal(await programOutput(), runNative(lines).screen, name);
      assert.match(await shown('#aviso'), /O programa terminou/);
    }
  });

  // Keys sent right after a failed read, with no delay, 40 ms and 150 ms
  // apart: none presses a button, the line is kept, not sent; the correction
  // typed as fast during the replay reaches that run only, in its place.
  it('never lets a key after a failure press a button or reach another run', async () => {
    const { text } = screenWithEchoes(paired);
    for (const delay of [0, 40, 150]) {
      await restart();
      await paste([...paired.slice(0, 4), paired[4] + 'x', ...(full ? paired.slice(5) : [])]);
      await waitForState('terminou');
      const stopped = await screenText();
      await tab.keyboard.type('11 8\n', { delay });
      await sleep(200);
      assert.deepEqual([await lineValue(), await screenText(), await focused()], ['11 8', stopped, 'entrada'], delay + ' ms: kept, not sent');
      await tab.click('#corrigir');
      await keys('End', 'Backspace', 'Backspace', 'Backspace');
      await tab.keyboard.type('11\n', { delay });
      if (!full) await type(paired.slice(5));
      await waitForState('terminou');
      assert.equal(await screenText(), text, delay + ' ms');
    }
  });

  it('explains a decimal comma before sending it, and sends it as is or with a point', async () => {
    await type(['3', '1', '4']);
    await waitForState('esperando');
    const before = await screenText();
    await tab.keyboard.type('10,5 9\n');
    assert.equal(await shown('#notas'), '10,5 são dois valores, 10 e 5. Para decimais use ponto: 10.5 Enviar assim Usar ponto');
    assert.equal(await screenText(), before, 'not sent yet');
    await keys('Enter');  // sent as it is
    await waitForState('esperando');
    assert.equal((await echoes()).pop(), '10,5 9\n');
    await tab.keyboard.type('7,25 8\n');
    await tab.click('#notas button:last-child');
    assert.equal(await lineValue(), '7.25 8');
    await keys('Enter');
    await waitForState('esperando');
    assert.deepEqual([await shown('#notas'), await programOutput()], ['', runNative(['3', '1', '4', '10,5 9', '7.25 8']).screen]);
    if (full) assert.ok(!(await saved()).text.includes('dois valores'), 'never in the saved session');
  });

  it('leaves the answer line with Escape then Tab, or Shift+Tab, and says so', async () => {
    assert.match(await shown('#ajuda'), /Tab digita um separador[\s\S]*Esc e depois Tab, ou Shift\+Tab/);
    await keys('Escape', 'Tab');
    assert.deepEqual(await tab.evaluate(() => [document.activeElement.id, getComputedStyle(document.activeElement).outlineStyle]), ['enviar', 'solid']);
    await tab.keyboard.type('3');  // typing anywhere comes back to the line
    assert.deepEqual([await focused(), await lineValue()], ['entrada', '3']);
    await tab.keyboard.down('Shift');
    await keys('Tab');
    await tab.keyboard.up('Shift');
    assert.deepEqual([(await focused()) !== 'entrada', await lineValue()], [true, '3'], 'left, no tab typed');
  });

  itFull('has its statuses, code page, titles and examples from the build, and scripts allowed by hash only', async () => {
    const html = fs.readFileSync(page, 'utf8');
    assert.ok(html.length < 1.1 * 1024 * 1024, 'one file under 1.1 MB');  // with the tables' distributions and the pictures
    const data = JSON.parse(/<script type="application\/json" id="dados">(.*?)<\/script>/s.exec(html)[1]);
    assert.equal(data.cp850.length, 128);
    assert.deepEqual(data.examples.map((e) => [e.code, e.answers]), examples.map((e) => [e.code, e.answers]));
    const policy = /http-equiv="Content-Security-Policy" content="([^"]*)"/.exec(html)[1];
    const allowed = /script-src ([^;]*)/.exec(policy)[1].split(' ');
    assert.ok(!allowed.includes("'unsafe-inline'") && !allowed.includes("'unsafe-eval'") && allowed.includes("'wasm-unsafe-eval'"));
    const inline = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map(([, code]) =>
      `'sha256-${crypto.createHash('sha256').update(code).digest('base64')}'`);
    assert.deepEqual(allowed.filter((s) => s.startsWith("'sha256-")), inline);
    const before = pageErrors.length;  // a script without its hash and a string of code are refused
    await tab.evaluate(() => document.head.appendChild(Object.assign(document.createElement('script'), { textContent: 'window.ran = 1' })) &&
      setTimeout('window.ran = 2', 0));
    await sleep(100);
    assert.equal(await tab.evaluate(() => window.ran), undefined);
    assert.equal(pageErrors.splice(before).filter((e) => e.startsWith('CSP: script-src')).length, 2);
  });

  itFull('replays built-in examples named by their menu titles, from a popover under the toolbar, onto one live region', async () => {
    await tab.click('[popovertarget="exemplos"]');
    await tab.waitForFunction(() => document.activeElement.closest('#exemplos'));
    const titles = await tab.$$eval('#exemplos button', (b) => b.map((e) => e.textContent));
    assert.deepEqual([titles.length, titles[2], titles[9]], [examples.length, "3 — Teste 't' para dados parelhados", '10 — Teste  Kolmogorov-Smirnov']);
    assert.ok(await tab.evaluate(() => document.getElementById('exemplos').getBoundingClientRect().top >=
      document.querySelector('.topo').getBoundingClientRect().bottom - 1), 'the toolbar stays visible');
    await keys('Escape');
    assert.equal(await tab.$eval('#exemplos', (p) => p.matches(':popover-open')), false);
    for (const k of [0, 2, 6]) {
      await tab.click('[popovertarget="exemplos"]');
      if (k === 6) {
        await tab.evaluate(() => new MutationObserver((records) => window.changes.push(...records.map((r) => r.type + ':' + r.removedNodes.length)))
          .observe(document.getElementById('tela'), { childList: true, characterData: true, subtree: true }, window.changes = []));
      }
      await anotherRun(() => tab.click(`#exemplos li:nth-child(${k + 1}) button`));
      await waitForState('terminou');
      assert.equal(await programOutput(), examples[k].screen, examples[k].file);
    }
    // After the old screen is cleared, the screen only grows, in a few pieces, not one per line.
    const changes = await tab.evaluate(() => window.changes.slice(window.changes.findIndex((c) => c !== 'childList:0') + 1));
    assert.deepEqual(changes.filter((c) => c !== 'childList:0'), [], 'only additions');
    assert.ok(changes.length > 0 && changes.length < examples[6].screen.split('\n').length / 4, 'in a few pieces');
    assert.deepEqual(await tab.$eval('#tela', (t) => [t.getAttribute('role'), t.getAttribute('aria-live')]), ['log', null]);
    const live = '[aria-live], [role=log], [role=status], [role=alert]';
    assert.equal(await tab.$$eval(live, (all, l) => all.filter((e) => e.parentElement.closest(l)).length, live), 0, 'none nested');
  });

  itFull('opens answers in code page 850 or UTF-16 with a mark, dropped or picked, refuses a screen, goes on by hand', async () => {
    const { file, answers, screen } = examples[2];
    const lines = answers.split('\n').slice(0, -1);
    assert.equal(await tab.$eval('#arquivo', (f) => f.accept), '.txt,text/plain', 'answers and saved sessions, no screens');
    await open(execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP850', file]));
    await waitForState('terminou');
    assert.equal(await programOutput(), screen, 'code page 850');
    for (const big of [false, true]) {  // UTF-16 LE or BE, with its mark, as Windows tools save it
      const bytes = Buffer.from('\ufeff' + answers.replace(/\n/g, '\r\n'), 'utf16le');
      await open(big ? bytes.swap16() : bytes);
      await waitForState('terminou');
      assert.equal(await programOutput(), screen, big ? 'UTF-16 BE' : 'UTF-16 LE');
    }
    const [chooser] = await Promise.all([tab.waitForFileChooser(), tab.click('#abrir')]);
    await chooser.accept([file.replace(/\.txt$/, '.tela')]);
    await tab.waitForFunction(() => /não é um arquivo de respostas/.test(document.getElementById('aviso').textContent));
    assert.equal(await programOutput(), screen, 'refused, the session still there');
    await anotherRun(() => tab.evaluate((text) => {  // dropped: four answers, then by hand
      const dataTransfer = new DataTransfer();
      dataTransfer.items.add(new File([text], 'respostas.txt'));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer, bubbles: true, cancelable: true }));
    }, withEnds(lines.slice(0, 4))));
    await tab.waitForFunction(() => document.body.dataset.estado === 'esperando' && document.querySelectorAll('#tela .digitado').length === 4);
    await paste(lines.slice(4));
    await waitForState('terminou');
    assert.equal(await programOutput(), screen);
  });

  itFull('sets a failed read apart with the native report, explains it until corrected, undoes a restart', async () => {
    await paste(['3', '1', '4', '1O 8']);
    await waitForState('terminou');
    const failed = runNative(['3', '1', '4', '1O 8']);
    assert.equal(await tab.$eval('#tela .relato', (r) => r.textContent), failed.report);
    assert.equal(await programOutput(), failed.screen);
    assert.ok(await tab.$eval('#rolagem', (r) => r.scrollTop + r.clientHeight >= r.scrollHeight - 1), 'the report in view');
    await tab.evaluate(() => { window.print = () => { window.printed = true; }; });
    const press = (action) => async () => { await tab.focus(`[data-acao="${action}"]`); await keys('Enter'); };
    await press('imprimir')();
    assert.ok((await tab.evaluate(() => window.printed)) && (await focused()) === 'entrada', 'printed, the focus back on the line');
    assert.ok((await saved(press('salvar'))).text.endsWith(failed.report), 'the saved session ends with the report');
    assert.equal(await focused(), 'entrada', 'the focus back on the line after saving');
    await anotherRun(() => tab.click('#corrigir'));
    await waitForLine('1O 8');
    assert.match(await shown('#notas'), /"1O 8" não pôde ser lida: número real inválido no item 1\. Há a letra O ou l/);
    await tab.keyboard.press('Enter');
    await waitForState('terminou');
    const before = await screenText();
    await anotherRun(() => tab.click('#de-novo'));
    await waitForState('esperando');
    assert.equal(await screenText(), runNative([]).screen, 'a fresh run shows only the menu');
    assert.match(await shown('#notas'), /A sessão anterior foi substituída/);
    await anotherRun(() => tab.click('#notas button'));
    await waitForState('terminou');
    assert.equal(await screenText(), before, 'undone');
  });

  itFull('sends a pasted block line by line, recalls lines with the arrows, saves UTF-8 text that replays whole or cut', async () => {
    await common.paste(tab, paired.slice(0, -1).join('\r\n') + '\r\n0');
    assert.equal(await lineValue(), '0', 'the unfinished last line stays on the answer line');
    await waitForState('esperando');
    for (const [pressed, value] of [[['ArrowUp'], '11 8'], [['ArrowUp'], '9 9'], [['ArrowDown', 'ArrowDown'], '0']]) {
      await keys(...pressed);
      assert.equal(await lineValue(), value, 'after ' + pressed.join(', '));
    }
    await keys('Enter');
    await waitForState('terminou');
    const { text, echoes: starts } = screenWithEchoes(paired);
    assert.equal(await screenText(), text);
    const file = await saved();
    assert.match(file.name, /^sessao-lousa-\d{4}-\d\d-\d\d-\d{4}\.txt$/);
    assert.equal(file.text, text);
    await open(file.text.replace(/\n/g, '\r\n'));  // kept on another system
    await waitForState('terminou');
    assert.equal(await screenText(), text);
    await open(text.slice(0, starts[5]));
    await waitForState('esperando');
    assert.equal(await screenText(), text.slice(0, starts[5]));
  });

  // 200 % zoom is a laptop's 1280 x 900 window seen as 640 x 450.
  itFull('passes the audit on desktop, phone and at 200 % zoom (20 lines shown), mid-session, failed, a menu open', async () => {
    for (const view of [desktop, phone, { width: 640, height: 450, deviceScaleFactor: 2 }]) {
      await tab.setViewport(view);
      await restart();
      if (view.deviceScaleFactor) {
        const there = await layout();
        assert.ok(there.linesShown >= 20 && there.lineInView && !there.pageScrollsSideways, JSON.stringify(there));
        await tab.screenshot({ path: path.join(pictures, 'lousa-zoom200.png') });
      }
      await paste(['3', '1', '4', '10 8']);
      await waitForState('esperando');
      assert.deepEqual(await audit(), [], view.width + ' px, mid-session');
      await paste(['1x']);
      await waitForState('terminou');
      assert.deepEqual(await audit(), [], view.width + ' px, after a failed read');
      await tab.click('[popovertarget="mais"]');
      assert.deepEqual(await audit(), [], view.width + ' px, menu open');
      await keys('Escape');
    }
  });

  itFull('prints each page identified, 80 columns on A4 at full size, long answers wrapped, no controls', async () => {
    await tab.evaluate(() => { document.getElementById('mais').showPopover(); document.getElementById('nome').focus(); return new Promise(requestAnimationFrame); });
    await tab.keyboard.type('Ana Souza');  // into the field chosen as the menu opened: the menu's own focus comes after
    await keys('Tab', 'Escape');
    await paste(largestSessions()['9'].map((l, k) => (k === 5 ? l + ' 0'.repeat(60) : l)));  // 2 506 answers, one longer than a line
    await waitForState('terminou');
    await tab.setViewport({ width: Math.floor((210 - 24) / 25.4 * 96), height: 1000 });  // an A4 page's width
    await tab.emulateMediaType('print');
    await tab.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    const printed = await tab.evaluate(() => [document.documentElement.scrollWidth <= innerWidth, getComputedStyle(document.getElementById('tela')).color,
      getComputedStyle(document.body).backgroundColor, ['button', 'input', '.aviso'].filter((s) => [...document.querySelectorAll(s)].some((e) => e.getClientRects().length)),
      document.getElementById('cabecalho').textContent]);
    assert.deepEqual(printed.slice(0, 4), [true, 'rgb(0, 0, 0)', 'rgb(255, 255, 255)', []], 'nothing wider than the page, black on white, no controls');
    assert.match(printed[4], /Lousa 1\.\d+\.\d+ · \d\d\/\d\d\/\d{4}.* · Teste Qui-quadrado · Nome: Ana Souza/);
    const pdfFile = path.join(pictures, 'lousa-impressao.pdf');
    await tab.pdf({ format: 'A4', path: pdfFile });
    const pdf = spawnSync('pdftotext', ['-layout', pdfFile, '-'], { encoding: 'utf8' });
    if (pdf.error) return console.log('# no pdftotext: the printed text is not compared');
    const words = (t) => t.replace(/Lousa 1\.\d.*Ana Souza/g, '').split(/\s+/).filter(Boolean);
    assert.deepEqual(words(pdf.stdout), words(await screenText()), 'every line, in order');
    assert.equal(pdf.stdout.split('\f').filter((p) => p.includes('Nome: Ana Souza')).length, pdf.stdout.split('\f').length - 1);
    await tab.emulateMediaType(null);
    assert.ok(!(await saved()).text.includes('Ana Souza'), 'the name is not in the saved session');
  });

  // How the page lies in the window.
  const layout = () => tab.evaluate(() => {
    const [scroller, bar, docEl] = [document.getElementById('rolagem'), document.querySelector('.topo'), document.documentElement];
    const heights = [...bar.querySelectorAll('button')].filter((b) => b.offsetHeight).map((b) => b.offsetHeight);
    return { scrollsSideways: scroller.scrollWidth > scroller.clientWidth, saysSo: !document.getElementById('dica').hidden,
      pageScrollsSideways: docEl.scrollWidth > docEl.clientWidth, barRows: Math.round(bar.clientHeight / Math.max(...heights)),
      lineInView: document.getElementById('entrada').getBoundingClientRect().bottom <= innerHeight, smallestButton: Math.min(...heights),
      linesShown: Math.floor(scroller.clientHeight / parseFloat(getComputedStyle(document.getElementById('tela')).lineHeight)) };
  });

  itFull('keeps 80 columns on a phone with targets for fingers, says a line goes on, and fits it on request', async () => {
    await tab.setViewport(phone);
    await restart();
    const { smallestButton, linesShown, ...scrolling } = await layout();
    assert.deepEqual(scrolling, { scrollsSideways: true, saysSo: true, pageScrollsSideways: false, barRows: 1, lineInView: true });
    assert.ok(smallestButton >= 44 && linesShown > 20, 'buttons ' + smallestButton + ' px');
    await tab.screenshot({ path: path.join(pictures, 'lousa-celular.png') });
    const toggleFit = async () => { await tab.click('[popovertarget="mais"]'); await tab.click('#caber'); await keys('Escape'); };
    for (const width of [390, 700]) {
      await tab.setViewport({ ...phone, width });
      await toggleFit();
      const fits = await layout();
      assert.deepEqual([fits.scrollsSideways, fits.saysSo, await focused()], [false, false, 'entrada'], width + ' px: the 80 columns fit');
      if (width === 390) await tab.screenshot({ path: path.join(pictures, 'lousa-celular-caber.png') });
      await tab.reload();
      await common.waitForMenu(tab);
      assert.equal(await tab.$eval('#caber', (b) => b.getAttribute('aria-pressed')), 'true', 'remembered');
      await toggleFit();
    }
  });

  it('made no request but to the page itself, and no error', () => assert.deepEqual([outsideRequests, pageErrors], [[], []]));
});
}
