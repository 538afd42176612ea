// The page in a real browser: build-web/lousa.html opened from disk in headless
// Chromium, whole sessions typed on its input line, and what the page shows
// compared with the native program's screen for the same answers.
//
//   cd tests/web && npm ci && node --test pagina.test.js
//
// Needs build-web/lousa.html (make web) and the native build/lousa (make test);
// LOUSA_NATIVE and CHROMIUM override where they are.
'use strict';

const { describe, it, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const raiz = path.resolve(__dirname, '..', '..');
const pagina = path.join(raiz, 'build-web', 'lousa.html');
const endereco = 'file://' + pagina;
const nativo = process.env.LOUSA_NATIVE || path.join(raiz, 'build', 'lousa');
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const transcricoes = path.join(raiz, 'tests', 'transcripts');

// One complete session per application: whole runs from the menu where a
// transcript has one, otherwise an application's transcript reached from the
// menu (its code, the confirmation, its lines, zero to end).
const sessoes = [
  'parametric/dimensionamento_discreta_sem_estimativa',
  'parametric/teste_t_homogeneas',
  'shell/paired_t_from_menu',
  'parametric/anova_um_criterio_exemplo',
  'parametric/anova_dois_criterios_efeitos_aditivos',
  'parametric/anova_com_repeticoes_residuo_positivo',
  'regression/regressao_linear_varios_modelos',
  'nonparametric/aleatoriedade_atributo_aceita',
  'nonparametric/qui_quadrado_independencia',
  'nonparametric/kolmogorov_smirnov_exemplo_percentuais',
  'parametric/z_proporcoes_tipo1_rejeita',
  'nonparametric/wilcoxon_exemplo',
  'nonparametric/mann_whitney_exemplo',
  'nonparametric/spearman_exemplo',
  'nonparametric/kruskal_wallis_exemplo',
  'regression/regressoes_curvilineas_varios_modelos',
];

function linhasDigitadas(nome) {
  const texto = fs.readFileSync(path.join(transcricoes, nome + '.txt'), 'utf8');
  let app = 0;
  const digitadas = [];
  for (const linha of texto.split('\n')) {
    if (linha.startsWith('! app ')) app = Number(linha.slice(6));
    else if (linha === '>' || linha.startsWith('> ')) digitadas.push(linha.slice(2));
  }
  return { app, linhas: app === 0 ? digitadas : [String(app), '1', ...digitadas, '0'] };
}

function doCP850(bytes) {
  return execFileSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: bytes }).toString('utf8');
}

// The native program on these answers: its screen and report, in UTF-8.
function rodaNativo(linhas) {
  const r = spawnSync(nativo, [], { input: linhas.map((l) => l + '\n').join('') });
  if (r.error) throw r.error;
  return { tela: doCP850(r.stdout), relato: doCP850(r.stderr), status: r.status };
}

// What a terminal shows for these answers: the native screen with each typed
// line echoed where the program read it. The screen before the k-th read is
// what the native program writes when the input ends after k - 1 lines.
function telaComEco(linhas) {
  let texto = '';
  let mostrado = 0;
  for (let k = 0; k < linhas.length; ++k) {
    const antes = rodaNativo(linhas.slice(0, k)).tela;
    texto += antes.slice(mostrado) + linhas[k] + '\n';
    mostrado = antes.length;
  }
  const fim = rodaNativo(linhas);
  assert.equal(fim.status, 0, 'the native run of the session must end normally');
  return texto + fim.tela.slice(mostrado);
}

function luminancia(cor) {
  const [r, g, b] = cor.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number).map((c) => {
    const s = c / 255;
    return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
  });
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

function contraste(a, b) {
  const [l1, l2] = [luminancia(a), luminancia(b)].sort((x, y) => y - x);
  return (l1 + 0.05) / (l2 + 0.05);
}

describe('lousa.html in Chromium', () => {
  let navegador, aba, perfil, downloads;
  const pedidosDeFora = [];
  let servidor = null;  // a plain static server, for the test that needs one
  const errosDaPagina = [];

  before(async () => {
    perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-chromium-'));
    downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-downloads-'));
    navegador = await puppeteer.launch({
      executablePath: chromium,
      headless: true,
      userDataDir: perfil,
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    aba = await navegador.newPage();
    await aba.setViewport({ width: 1000, height: 700 });
    await aba.setRequestInterception(true);
    aba.on('request', (pedido) => {
      const url = pedido.url();
      if (/^(file|data|blob):/.test(url)) return pedido.continue();
      if (servidor && url === servidor.endereco) return pedido.continue();
      pedidosDeFora.push(url);
      return pedido.abort();
    });
    aba.on('console', (m) => { if (m.type() === 'error') errosDaPagina.push(m.text()); });
    aba.on('pageerror', (e) => errosDaPagina.push(e.message));
    const cdp = await navegador.target().createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  });

  after(async () => {
    if (navegador) await navegador.close();
    fs.rmSync(perfil, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
  });

  const estado = () => aba.$eval('body', (b) => b.dataset.estado);
  const aguardaEstado = (nome) => aba.waitForFunction((n) => document.body.dataset.estado === n, {}, nome);
  const textoDaTela = () => aba.$eval('#tela', (t) => t.textContent);
  // The program's own text: the screen without the echoed answers and the report.
  const saidaDoPrograma = () => aba.$eval('#tela', (t) => [...t.childNodes]
    .filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.textContent).join(''));
  const ecos = () => aba.$$eval('#tela .digitado', (s) => s.map((e) => e.textContent));
  const focoNaEntrada = () => aba.evaluate(() => document.activeElement === document.getElementById('entrada'));

  async function comecaDeNovo() {
    await aba.click('#recomecar');
    await aba.waitForFunction(() => document.body.dataset.estado === 'esperando' &&
      document.getElementById('tela').textContent.includes('DIGITE O CODIGO DA APLICACAO'));
  }

  // Types each line only when the program waits for it, as a student would.
  async function digita(linhas, aoDigitar) {
    for (let k = 0; k < linhas.length; ++k) {
      await aguardaEstado('esperando');
      assert.ok(await focoNaEntrada(), 'the input line has the focus before line ' + (k + 1));
      if (aoDigitar) await aoDigitar(k);
      await aba.type('#entrada', linhas[k]);
      await aba.keyboard.press('Enter');
    }
  }

  // The saved file, taken out of the (otherwise empty) download folder.
  async function salvaSessao() {
    assert.deepEqual(fs.readdirSync(downloads), []);
    await aba.click('#salvar');
    for (let espera = 0; espera < 100; ++espera) {
      const salvos = fs.readdirSync(downloads).filter((f) => f.endsWith('.txt'));
      if (salvos.length === 1) {
        const arquivo = path.join(downloads, salvos[0]);
        const salvo = { nome: salvos[0], texto: fs.readFileSync(arquivo, 'utf8') };
        fs.rmSync(arquivo);
        return salvo;
      }
      await new Promise((r) => setTimeout(r, 50));
    }
    throw new Error('no saved session appeared in ' + downloads);
  }

  // The first load also starts the browser's own machinery; the second is what
  // a student sees when opening the file in a browser already running.
  it('is one file under 1 MB that shows the menu within a second', async () => {
    const tamanho = fs.statSync(pagina).size;
    assert.ok(tamanho < 1024 * 1024, 'size ' + tamanho);
    const menu = () => aba.waitForFunction(() => document.body.dataset.estado === 'esperando' &&
      document.getElementById('tela').textContent.includes('DIGITE O CODIGO DA APLICACAO'));
    await aba.goto(endereco);
    await menu();
    const primeira = await aba.evaluate(() => performance.now());
    const recargas = [];
    for (let k = 0; k < 3; ++k) {
      await aba.reload();
      await menu();
      recargas.push(await aba.evaluate(() => performance.now()));
    }
    const ms = recargas.sort((a, b) => a - b)[1];
    console.log(`# page ${tamanho} bytes; menu after ${Math.round(primeira)} ms (first load), ${Math.round(ms)} ms (median of 3 reloads)`);
    assert.ok(ms < 1000, 'menu after ' + ms + ' ms');
    assert.ok(await focoNaEntrada());
  });

  for (const nome of sessoes) {
    it('shows the native screen for the session ' + nome, async () => {
      const { app, linhas } = linhasDigitadas(nome);
      await comecaDeNovo();
      await digita(linhas, async (k) => {
        if (app === 7 && k === 12) await aba.screenshot({ path: path.join(raiz, 'build-web', 'lousa-sessao.png') });
      });
      await aguardaEstado('terminou');
      assert.equal(await saidaDoPrograma(), rodaNativo(linhas).tela);
      assert.deepEqual(await ecos(), linhas.map((l) => l + '\n'));
      assert.equal(await textoDaTela(), telaComEco(linhas));
      assert.match(await aba.$eval('#aviso', (a) => (a.hidden ? '' : a.textContent)), /O programa terminou/);
      assert.ok(await aba.evaluate(() => document.activeElement.id === 'de-novo'), 'the restart button has the focus');
    });
  }

  it('saves the whole session, answers included, as UTF-8 text', async () => {
    const { linhas } = linhasDigitadas('shell/paired_t_from_menu');
    const salvo = await salvaSessao();  // the page still shows the last session
    assert.match(salvo.nome, /^sessao-lousa-\d{4}-\d\d-\d\d-\d{4}\.txt$/);
    assert.equal(salvo.texto, await textoDaTela());
    await comecaDeNovo();
    await digita(linhas);
    await aguardaEstado('terminou');
    const deNovo = await salvaSessao();
    assert.equal(deNovo.texto, telaComEco(linhas));
    assert.ok(deNovo.texto.includes('serão digitados?'), 'accents are kept');
  });

  it('sets a failed read apart, with the native report, and starts again from the keyboard', async () => {
    await comecaDeNovo();
    await digita(['3', '1', 'x']);
    await aguardaEstado('terminou');
    const nativoFalho = rodaNativo(['3', '1', 'x']);
    assert.equal(nativoFalho.status, 2);
    assert.equal(await aba.$eval('#tela .relato', (r) => r.textContent), nativoFalho.relato);
    assert.equal(await saidaDoPrograma(), nativoFalho.tela);
    assert.match(await aba.$eval('#aviso', (a) => a.textContent), /não pôde ser lida/);
    assert.ok(await aba.$eval('#rolagem', (r) => r.scrollTop + r.clientHeight >= r.scrollHeight - 1),
      'the report is in view above the notice');
    assert.ok(await aba.$eval('#entrada', (e) => e.disabled));
    const salvo = await salvaSessao();
    assert.ok(salvo.texto.endsWith(nativoFalho.relato), 'the saved session ends with the report');
    assert.ok(await aba.evaluate(() => document.activeElement.id === 'de-novo'));
    await aba.keyboard.press('Enter');
    await aguardaEstado('esperando');
    assert.equal(await textoDaTela(), rodaNativo([]).tela, 'a fresh run shows only the menu');
    assert.ok(await focoNaEntrada());
  });

  it('starts again in the middle of a session without the old run answering', async () => {
    await comecaDeNovo();
    await digita(['3', '1', '2']);
    await aguardaEstado('esperando');
    await comecaDeNovo();
    const { linhas } = linhasDigitadas('shell/paired_t_from_menu');
    await digita(linhas);
    await aguardaEstado('terminou');
    assert.equal(await textoDaTela(), telaComEco(linhas));
  });

  it('sends a pasted block line by line and recalls earlier lines with the arrows', async () => {
    const { linhas } = linhasDigitadas('shell/paired_t_from_menu');
    await comecaDeNovo();
    await aba.$eval('#entrada', (entrada, texto) => {
      const dados = new DataTransfer();
      dados.setData('text/plain', texto);
      entrada.dispatchEvent(new ClipboardEvent('paste', { clipboardData: dados, bubbles: true, cancelable: true }));
    }, linhas.slice(0, -1).join('\r\n') + '\r\n0');
    assert.equal(await aba.$eval('#entrada', (e) => e.value), '0', 'the unfinished last line stays on the input line');
    await aguardaEstado('esperando');
    assert.equal(await saidaDoPrograma(), rodaNativo(linhas.slice(0, -1)).tela);
    await aba.keyboard.press('ArrowUp');
    assert.equal(await aba.$eval('#entrada', (e) => e.value), '11 8');
    await aba.keyboard.press('ArrowUp');
    assert.equal(await aba.$eval('#entrada', (e) => e.value), '9 9');
    await aba.keyboard.press('ArrowDown');
    await aba.keyboard.press('ArrowDown');
    assert.equal(await aba.$eval('#entrada', (e) => e.value), '0', 'down past the newest line gives back the draft');
    await aba.keyboard.press('Enter');
    await aguardaEstado('terminou');
    assert.equal(await textoDaTela(), telaComEco(linhas));
  });

  it('keeps 80 columns on a phone, scrolling sideways, with the input line in view', async () => {
    await aba.setViewport({ width: 390, height: 700, isMobile: true, hasTouch: true });
    await comecaDeNovo();
    const medidas = await aba.evaluate(() => {
      const rolagem = document.getElementById('rolagem');
      const linha = document.getElementById('tela').textContent.split('\n')[0];
      const entrada = document.getElementById('entrada').getBoundingClientRect();
      const altura = parseFloat(getComputedStyle(document.getElementById('tela')).lineHeight);
      const tela = document.getElementById('tela').getBoundingClientRect();
      return { largura: rolagem.scrollWidth, visivel: rolagem.clientWidth, linha: linha.length,
        entradaEmBaixo: entrada.bottom, janela: window.innerHeight,
        linhas: Math.round(tela.height / altura), texto: document.getElementById('tela').textContent.split('\n').length - 1 };
    });
    assert.ok(medidas.largura > medidas.visivel, 'the screen scrolls sideways');
    assert.equal(medidas.linhas, medidas.texto, 'no screen line wraps');
    assert.ok(medidas.entradaEmBaixo <= medidas.janela, 'the input line is on screen');
    await aba.screenshot({ path: path.join(raiz, 'build-web', 'lousa-celular.png') });
    await aba.setViewport({ width: 1000, height: 700 });
    await aguardaEstado('esperando');  // a change of device may have reloaded the page
  });

  it('has a visible focus and enough contrast', async () => {
    assert.ok(await focoNaEntrada());
    const cores = await aba.evaluate(() => {
      const estilo = (id) => getComputedStyle(document.getElementById(id));
      const fundo = getComputedStyle(document.body).backgroundColor;
      const span = document.createElement('span');
      span.className = 'digitado';
      document.getElementById('tela').appendChild(span);
      const digitado = getComputedStyle(span).color;
      span.remove();
      return { texto: estilo('tela').color, fundo, digitado, entrada: estilo('entrada').backgroundColor,
        botao: estilo('salvar').color, fundoBotao: estilo('salvar').backgroundColor,
        contornoEntrada: estilo('entrada').outlineStyle };
    });
    await aba.keyboard.press('Tab');  // from the input line to its button, by keyboard
    const foco = await aba.evaluate(() => {
      const e = document.activeElement;
      return { id: e.id, contorno: getComputedStyle(e).outlineStyle, largura: parseFloat(getComputedStyle(e).outlineWidth) };
    });
    assert.deepEqual(foco, { id: 'enviar', contorno: 'solid', largura: 3 });
    assert.ok(contraste(cores.texto, cores.fundo) >= 7, 'screen text');
    assert.ok(contraste(cores.digitado, cores.entrada) >= 7, 'typed text');
    assert.ok(contraste(cores.botao, cores.fundoBotao) >= 4.5, 'buttons');
    assert.equal(cores.contornoEntrada, 'solid');
  });

  it('works the same from a static web server', async () => {
    const http_ = http.createServer((pedido, resposta) => {
      resposta.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
      resposta.end(fs.readFileSync(pagina));
    });
    await new Promise((r) => http_.listen(0, '127.0.0.1', r));
    servidor = { endereco: `http://127.0.0.1:${http_.address().port}/lousa.html` };
    try {
      await aba.goto(servidor.endereco);
      const { linhas } = linhasDigitadas('shell/paired_t_from_menu');
      await digita(linhas);
      await aguardaEstado('terminou');
      assert.equal(await textoDaTela(), telaComEco(linhas));
    } finally {
      await aba.goto(endereco);
      servidor = null;
      http_.close();
    }
  });

  it('made no request but to the page itself', () => {
    assert.deepEqual(pedidosDeFora, []);
    assert.deepEqual(errosDaPagina, []);
  });
});
